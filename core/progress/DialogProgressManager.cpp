#include "DialogProgressManager.h"

#include "ProgressDialog.h"

#include <windowing/AppSettings.h>
#include <windowing/WidgetUtils.h>

#include <QCoreApplication>
#include <QEvent>
#include <QRect>
#include <QTimer>

namespace Quill {
namespace UI {

namespace {

const QEvent::Type kRefreshEvent = QEvent::Type(QEvent::registerEventType());

std::atomic<bool> g_restoreUsed{false};

const char kGroup[] = "Progress";
const char kSubgroup[] = "WindowLocations";
const char kKey[] = "Progress";

} // namespace

DialogProgressManager::DialogProgressManager(QWidget* parent)
    : ProgressManager()
{
    m_throttle = new QTimer(this);
    m_throttle->setSingleShot(true);
    connect(m_throttle, &QTimer::timeout, this, [this]() { runRefresh(); });
    // Runs on the emitting thread: it only flips a flag and, at most once per
    // refresh, posts an event to this object on the GUI thread.
    connect(this, &ProgressManager::wake, this, [this]() { requestRefresh(); }, Qt::DirectConnection);
    createProgressWidget(parent);
}

DialogProgressManager::~DialogProgressManager()
{
    // A dialog still on screen is hidden by its destruction without saying so.
    if (_dialog && _dialog->isWindow() && _dialog->isVisible())
        saveState();
    delete _dialog.data();
}

QWidget* DialogProgressManager::progressWidget()
{
    return _dialog.data();
}

void DialogProgressManager::saveState()
{
    if (!_dialog)
        return;
    AppSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    settings.beginGroup(QLatin1String(kSubgroup));
    settings.setValue(QLatin1String(kKey), QRect(_dialog->pos(), _dialog->size()));
    settings.endGroup();
    settings.endGroup();
}

bool DialogProgressManager::restoreState()
{
    if (!_dialog)
        return false;
    if (g_restoreUsed.exchange(true))
        return false;
    AppSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    settings.beginGroup(QLatin1String(kSubgroup));
    const QVariant value = settings.value(QLatin1String(kKey));
    settings.endGroup();
    settings.endGroup();
    if (!value.isValid() || !value.canConvert<QRect>())
        return false;
    const QRect rect = value.toRect();
    // A damaged entry must not shrink the dialog to nothing.
    if (rect.width() <= 0 || rect.height() <= 0)
        return false;
    _dialog->resize(rect.size());
    _dialog->move(rect.topLeft());
    WidgetUtils::MoveWidgetNotObscuringWidget(_dialog, nullptr);
    _dialog->setAttribute(Qt::WA_Moved, false);
    return true;
}

bool DialogProgressManager::createProgressWidget(QWidget* parent)
{
    ProgressDialog* previous = _dialog.data();
    if (previous) {
        // Its widgets would otherwise stay attached to the records.
        disconnect(previous, nullptr, this, nullptr);
        previous->releaseTasks();
    }
    _dialog = new ProgressDialog(this, parent);
    _dialog->setObjectName(QStringLiteral("Progress.1"));
    connect(_dialog, SIGNAL(visibilityChanged(bool)), this, SIGNAL(progressDialogVisibilityChanged(bool)));
    if (previous) {
        previous->hide();
        if (!previous->parent())
            previous->deleteLater();
    }
    emit windowCreated(progressWidget());
    requestRefresh();
    return true;
}

bool DialogProgressManager::createProgressWidget(QWidget* parent, const QString& title, const QString& objectName)
{
    const bool created = createProgressWidget(parent);
    if (created) {
        if (!title.isEmpty())
            _dialog->setWindowTitle(title);
        if (!objectName.isEmpty())
            _dialog->setObjectName(objectName);
    }
    return created;
}

bool DialogProgressManager::deleteProgressWidget()
{
    if (!_dialog)
        return false;
    delete _dialog.data();
    _dialog = nullptr;
    return true;
}

void DialogProgressManager::requestRefresh()
{
    // Cheap read first: under a flood every caller but one returns here
    // without writing to the shared cache line. Every access to the flag, like
    // the task fields the callers have just stored, is sequentially consistent:
    // with weaker ordering a worker could see the flag still set while the
    // refresh that has just cleared it reads the old field values, and the
    // final update would never be shown.
    if (m_pending.load())
        return;
    if (m_pending.exchange(true))
        return;
    const int queued = m_queued.fetch_add(1) + 1;
    int seen = m_maxQueued.load();
    while (queued > seen && !m_maxQueued.compare_exchange_weak(seen, queued)) {
    }
    m_posted.fetch_add(1, std::memory_order_relaxed);
    QCoreApplication::postEvent(this, new QEvent(kRefreshEvent));
}

bool DialogProgressManager::event(QEvent* event)
{
    if (event->type() != kRefreshEvent)
        return ProgressManager::event(event);
    m_queued.fetch_sub(1);
    const qint64 since = m_sinceRefresh.isValid() ? m_sinceRefresh.elapsed() : kMinimumRefreshIntervalMs;
    if (since < kMinimumRefreshIntervalMs)
        m_throttle->start(int(kMinimumRefreshIntervalMs - since));
    else
        runRefresh();
    return true;
}

void DialogProgressManager::runRefresh()
{
    // Cleared before reading the tasks: a change made during this refresh
    // asks for the next one, so the final state is always shown.
    m_pending.store(false);
    m_sinceRefresh.start();
    m_refreshes.fetch_add(1, std::memory_order_relaxed);
    if (_dialog)
        _dialog->wake();
}

DialogProgressManager::RefreshStatistics DialogProgressManager::refreshStatistics() const
{
    RefreshStatistics statistics;
    statistics.posted = m_posted.load();
    statistics.refreshes = m_refreshes.load();
    statistics.maxPending = m_maxQueued.load();
    return statistics;
}

void DialogProgressManager::resetRefreshStatistics()
{
    m_posted.store(0);
    m_refreshes.store(0);
    m_maxQueued.store(m_queued.load());
}

} // namespace UI
} // namespace Quill
