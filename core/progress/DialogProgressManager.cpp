#include "DialogProgressManager.h"

#include "ProgressDialog.h"
#include "ProgressRefreshStatistics_p.h"

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
    if (m_dialog && m_dialog->isWindow() && m_dialog->isVisible())
        saveState();
    delete m_dialog.data();
}

QWidget* DialogProgressManager::progressWidget()
{
    return m_dialog.data();
}

void DialogProgressManager::saveState()
{
    if (!m_dialog)
        return;
    AppSettings settings;
    settings.beginGroup(QLatin1String(kGroup));
    settings.beginGroup(QLatin1String(kSubgroup));
    settings.setValue(QLatin1String(kKey), QRect(m_dialog->pos(), m_dialog->size()));
    settings.endGroup();
    settings.endGroup();
}

bool DialogProgressManager::restoreState()
{
    if (!m_dialog)
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
    m_dialog->resize(rect.size());
    m_dialog->move(rect.topLeft());
    WidgetUtils::MoveWidgetNotObscuringWidget(m_dialog, nullptr);
    m_dialog->setAttribute(Qt::WA_Moved, false);
    return true;
}

bool DialogProgressManager::createProgressWidget(QWidget* parent)
{
    ProgressDialog* previous = m_dialog.data();
    if (previous) {
        // Its widgets would otherwise stay attached to the records.
        disconnect(previous, nullptr, this, nullptr);
        previous->releaseTasks();
    }
    m_dialog = new ProgressDialog(this, parent);
    m_dialog->setObjectName(QStringLiteral("Progress.1"));
    connect(m_dialog, SIGNAL(visibilityChanged(bool)), this, SIGNAL(progressDialogVisibilityChanged(bool)));
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
            m_dialog->setWindowTitle(title);
        if (!objectName.isEmpty())
            m_dialog->setObjectName(objectName);
    }
    return created;
}

bool DialogProgressManager::deleteProgressWidget()
{
    if (!m_dialog)
        return false;
    delete m_dialog.data();
    m_dialog = nullptr;
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
    ProgressRefreshStatistics::CountPosted();
    QCoreApplication::postEvent(this, new QEvent(kRefreshEvent));
}

bool DialogProgressManager::event(QEvent* event)
{
    if (event->type() != kRefreshEvent)
        return ProgressManager::event(event);
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
    ProgressRefreshStatistics::CountRefresh();
    if (m_dialog)
        m_dialog->wake();
}

} // namespace UI
} // namespace Quill
