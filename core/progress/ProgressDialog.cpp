#include "ProgressDialog.h"

#include "DialogProgressManager.h"
#include "ProgressClock.h"
#include "ProgressRefresh.h"
#include "ProgressWidget.h"
#include "ProgressWidgetDelete.h"
#include "TaskPrivate.h"

#include <widgets/VerticalLayout.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include "ProgressLocker.h"
#include <QPointer>
#include <QScrollArea>
#include <QStackedLayout>
#include <QTimer>
#include <QVector>

#include <climits>

namespace Quill {
namespace UI {

ProgressDialog::ProgressDialog(DialogProgressManager* manager, QWidget* parent)
    : QDialog(parent)
    , _manager(manager)
{
    setWindowTitle(tr("Progress"));

    auto* stack = new QStackedLayout(this);
    _scrollArea = new QScrollArea;
    _scrollArea->setFrameShape(QFrame::NoFrame);
    _scrollArea->setWidgetResizable(true);
    _scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    _scrollArea->setFocusPolicy(Qt::NoFocus);
    auto* column = new QWidget;
    _layout = new VerticalLayout(0);
    column->setLayout(_layout);
    _scrollArea->setWidget(column);
    stack->addWidget(_scrollArea);

    m_popupTimer = new QTimer(this);
    m_popupTimer->setSingleShot(true);
    connect(m_popupTimer, SIGNAL(timeout()), this, SLOT(wake()));

    adjustSize();
}

ProgressDialog::~ProgressDialog() = default;

QSize ProgressDialog::sizeHint() const
{
    return QSize(650, 120);
}

QList<ProgressWidget*> ProgressDialog::progressWidgets() const
{
    QList<ProgressWidget*> widgets;
    for (int i = 0; i < _layout->count(); ++i) {
        if (QLayoutItem* item = _layout->itemAt(i)) {
            if (auto* widget = qobject_cast<ProgressWidget*>(item->widget()))
                widgets.append(widget);
        }
    }
    return widgets;
}

void ProgressDialog::releaseTasks()
{
    for (ProgressWidget* widget : progressWidgets())
        widget->detachTask();
    m_popupTimer->stop();
    // A replaced dialog that the host keeps must neither take tasks back from
    // its successor nor reach the manager, which may go before it does.
    _manager = nullptr;
}

void ProgressDialog::setVisible(bool visible)
{
    const bool wasVisible = isVisible();
    QDialog::setVisible(visible);
    const bool nowVisible = isVisible();
    if (wasVisible == nowVisible)
        return;
    // Remember where the user left the window for the next time it pops up.
    if (!nowVisible && isWindow() && _manager && _manager->progressWidget() == this)
        _manager->saveState();
    emit visibilityChanged(nowVisible);
}

bool ProgressDialog::event(QEvent* event)
{
    if (event->type() == ProgressWidgetDelete::kType) {
        delete static_cast<ProgressWidgetDelete*>(event)->widget.data();
        return true;
    }
    return QDialog::event(event);
}

void ProgressDialog::closeEvent(QCloseEvent* event)
{
    if (!isWindow()) {
        // Embedded by the host: closing turns it back into a free window.
        resize(650, 120);
        setAttribute(Qt::WA_Moved, false);
        setParent(nullptr);
    } else {
        setAttribute(Qt::WA_Moved, true);
    }
    QDialog::closeEvent(event);
    emit closing();
}

void ProgressDialog::wake()
{
    if (!_manager)
        return;
    // A hook called during the refresh may spin the event loop and come back
    // here; run again afterwards instead of walking the list twice at once.
    if (m_inWake) {
        m_wakeAgain = true;
        return;
    }
    QPointer<ProgressDialog> self(this);
    m_inWake = true;
    int rounds = 0;
    do {
        m_wakeAgain = false;
        refresh();
    } while (self && _manager && m_wakeAgain && ++rounds < 4);
    if (self)
        m_inWake = false;
}

void ProgressDialog::applyModality(bool modal)
{
    if (isModal() == modal)
        return;
    // Qt applies a window's modality when it is shown, so a visible window is
    // shown again for the change to take effect.
    const bool reshow = isWindow() && isVisible();
    if (reshow)
        QDialog::setVisible(false);
    setModal(modal);
    if (reshow)
        QDialog::setVisible(true);
}

void ProgressDialog::refresh()
{
    using Action = ProgressRefresh::Action;
    struct Work {
        TaskPrivate* record;     // retained for the unlocked phase
        Action action;
        ProgressWidget* widget;
        ProgressSnapshot snapshot;
    };

    const qint64 now = ProgressClock::now();
    QVector<Work> work;
    QVector<TaskPrivate*> dropped;
    qint64 nextPopup = LLONG_MAX;
    bool listEmpty = false;

    // Phase 1, under the manager's lock: decide and copy, touch no widget.
    // Widgets are edited only after unlocking, so that nothing they trigger
    // (painting, showing, hooks) can ever try to take the lock again.
    {
        ProgressLocker locker(_manager->lock());
        QList<TaskPrivate*>& list = _manager->tasks();
        for (int i = 0; i < list.size();) {
            TaskPrivate* record = list.at(i);
            if (record->parent && record->parent->cancelled.load())
                record->cancelled.store(true);

            ProgressRefresh::RecordState state;
            state.flags = record->flags.load();
            state.finished = record->finished.load();
            state.hasWidget = record->widget != nullptr;
            state.hasOwner = record->owner.load() != nullptr;
            state.startMs = record->startTime;
            const Action action = ProgressRefresh::actionFor(state, now);

            bool drop = false;
            switch (action) {
            case Action::Wait:
                nextPopup = qMin(nextPopup, ProgressRefresh::popupTime(record->startTime));
                break;
            case Action::Keep:
                break;
            case Action::Create:
            case Action::Refresh: {
                Work item{record, action, record->widget, ProgressSnapshot()};
                ProgressSnapshot& s = item.snapshot;
                const int before = record->flags.fetch_and(~(TaskPrivate::kMessageChanged | TaskPrivate::kErrorState));
                s.flags = before & ~(TaskPrivate::kMessageChanged | TaskPrivate::kErrorState);
                s.showError = (before & TaskPrivate::kErrorState) != 0;
                s.progress = record->progress.load();
                s.maximum = record->maximum.load();
                s.cancelled = record->cancelled.load();
                s.error = record->error.load();
                s.elapsedMs = now - record->startTime;
                s.message = record->message;
                record->retain();
                work.append(item);
                break;
            }
            case Action::Detach:
            case Action::DetachAndDrop:
            case Action::RemoveWidget:
                record->retain();
                work.append(Work{record, action, record->widget, ProgressSnapshot()});
                record->widget = nullptr;
                drop = action != Action::Detach;
                break;
            case Action::Drop:
                drop = true;
                break;
            }
            if (drop) {
                // Finished for good: copies of the task that live on stop
                // notifying the manager, which may go before they do.
                record->manager.store(nullptr, std::memory_order_release);
                list.removeAt(i);
                dropped.append(record);   // the list's reference, released below
            } else {
                ++i;
            }
        }
        listEmpty = list.isEmpty();
    }

    // Phase 2, unlocked: apply to the widgets.
    QWidget* column = _scrollArea->widget();
    for (Work& item : work) {
        switch (item.action) {
        case Action::Create: {
            auto* widget = new ProgressWidget(item.record, _manager, column);
            item.record->widget = widget;
            connect(this, SIGNAL(closing()), widget, SLOT(cancel()));
            _layout->addWidget(widget);
            widget->updateFromTask(item.snapshot);
            break;
        }
        case Action::Refresh:
            if (item.widget)
                item.widget->updateFromTask(item.snapshot);
            break;
        case Action::Detach:
        case Action::DetachAndDrop:
            if (item.widget)
                item.widget->detachTask();
            break;
        case Action::RemoveWidget:
            if (item.widget) {
                _layout->removeWidget(item.widget);
                item.widget->releaseTask();
                item.widget->hide();
                // Deleted once this refresh and whatever called it are done.
                QCoreApplication::postEvent(this, new ProgressWidgetDelete(item.widget), INT_MIN);
            }
            break;
        default:
            break;
        }
        TaskPrivate::release(item.record);
    }
    for (TaskPrivate* record : qAsConst(dropped))
        TaskPrivate::release(record);

    // Which widgets show, and what keeps the dialog open or modal.
    QPointer<ProgressDialog> self(this);
    ProgressRefresh::Counts counts;
    QList<QPointer<ProgressWidget>> widgets;
    for (ProgressWidget* widget : progressWidgets())
        widgets.append(widget);
    for (const QPointer<ProgressWidget>& widget : qAsConst(widgets)) {
        if (!widget || !widget->task())
            continue;
        TaskPrivate* record = widget->task();
        record->retain();
        const bool hidden = _manager->askTaskHide(record);
        if (!self || !_manager) {   // the hook deleted or replaced this dialog
            TaskPrivate::release(record);
            return;
        }
        if (widget) {
            widget->setVisible(!hidden);
            ProgressRefresh::count(counts, record->flags.load());
        }
        TaskPrivate::release(record);
    }

    const bool wantVisible = counts.shown != 0;
    if (isWindow() && wantVisible && !isVisible()) {
        if (windowType() != Qt::Tool)
            setWindowFlags(Qt::Tool);
        setAttribute(Qt::WA_MacAlwaysShowToolWindow);
        setModal(counts.modal != 0);
        if (!_manager->restoreState())
            resize(sizeHint().expandedTo(QSize(650, 120)));
    }
    applyModality(counts.modal != 0);
    if (isWindow() && isVisible() != wantVisible)
        setVisible(wantVisible);
    if (listEmpty && isWindow())
        setAttribute(Qt::WA_MacAlwaysShowToolWindow, false);

    if (nextPopup != LLONG_MAX)
        m_popupTimer->start(int(qBound<qint64>(0, nextPopup - now, INT_MAX)));
    else
        m_popupTimer->stop();
}

} // namespace UI
} // namespace Quill
