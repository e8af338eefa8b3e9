#include "ProgressDialog.h"

#include "DialogProgressManager.h"
#include "ProgressClock_p.h"
#include "ProgressLocker_p.h"
#include "ProgressRefresh_p.h"
#include "ProgressWidget.h"
#include "ProgressWidgetDelete.h"
#include "TaskPrivate.h"

#include <widgets/VerticalLayout.h>

#include <QCloseEvent>
#include <QCoreApplication>
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
    , m_manager(manager)
{
    setWindowTitle(tr("Progress"));

    auto* stack = new QStackedLayout(this);
    m_scrollArea = new QScrollArea;
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setFocusPolicy(Qt::NoFocus);
    auto* column = new QWidget;
    m_layout = new VerticalLayout(0);
    column->setLayout(m_layout);
    m_scrollArea->setWidget(column);
    stack->addWidget(m_scrollArea);

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
    for (int i = 0; i < m_layout->count(); ++i) {
        if (QLayoutItem* item = m_layout->itemAt(i)) {
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
    m_manager = nullptr;
}

void ProgressDialog::setVisible(bool visible)
{
    const bool wasVisible = isVisible();
    QDialog::setVisible(visible);
    const bool nowVisible = isVisible();
    if (wasVisible == nowVisible)
        return;
    // Remember where the user left the window for the next time it pops up.
    if (!nowVisible && isWindow() && m_manager && m_manager->progressWidget() == this)
        m_manager->saveState();
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
    if (!m_manager)
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
    } while (self && m_manager && m_wakeAgain && ++rounds < 4);
    if (!self)
        return;
    m_inWake = false;
    // Hooks that keep changing tasks must not hold the event loop here for
    // ever, but their last change must still be shown: ask again later.
    if (m_wakeAgain && m_manager)
        m_manager->wakeUp();
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
        QExplicitlySharedDataPointer<TaskPrivate> record;
        Action action;
        ProgressWidget* widget;
        TaskPrivate::Snapshot snapshot;
    };

    const qint64 now = ProgressClock::Now();
    QVector<Work> work;
    QVector<QExplicitlySharedDataPointer<TaskPrivate>> dropped;   // released once unlocked
    qint64 nextPopup = LLONG_MAX;
    bool listEmpty = false;

    // Phase 1, under the manager's lock: decide and copy, touch no widget.
    // Widgets are edited only after unlocking, so that nothing they trigger
    // (painting, showing, hooks) can ever try to take the lock again.
    {
        ProgressLocker locker(m_manager->lock());
        QList<TaskPrivate*>& list = m_manager->tasks();
        for (int i = 0; i < list.size();) {
            TaskPrivate* record = list.at(i);
            const TaskPrivate::Snapshot snapshot = record->snapshot(now);
            ProgressRefresh::RecordState state;
            state.flags = snapshot.flags;
            state.finished = snapshot.finished;
            state.hasWidget = record->widget() != nullptr;
            state.hasOwner = snapshot.hasOwner;
            state.ageMs = snapshot.elapsedMs;
            const Action action = ProgressRefresh::ActionFor(state);
            if (action == Action::Wait)
                nextPopup = qMin(nextPopup, record->startTime() + ProgressRefresh::kPopupDelayMs + 1);
            else if (action != Action::Keep && action != Action::Drop)
                work.append(Work{QExplicitlySharedDataPointer<TaskPrivate>(record), action, record->widget(), snapshot});
            if (action == Action::Detach || action == Action::DetachAndDrop || action == Action::RemoveWidget)
                record->setWidget(nullptr);
            if (action == Action::DetachAndDrop || action == Action::RemoveWidget || action == Action::Drop)
                dropped.append(m_manager->takeTask(i));
            else
                ++i;
        }
        listEmpty = list.isEmpty();
    }
    dropped.clear();

    // Phase 2, unlocked: apply to the widgets.
    QWidget* column = m_scrollArea->widget();
    for (Work& item : work) {
        switch (item.action) {
        case Action::Create: {
            auto* widget = new ProgressWidget(item.record.data(), m_manager, column);
            item.record->setWidget(widget);
            connect(this, SIGNAL(closing()), widget, SLOT(cancel()));
            m_layout->addWidget(widget);
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
                m_layout->removeWidget(item.widget);
                item.widget->releaseTask();
                item.widget->hide();
                // Deleted once this refresh and whatever called it are done.
                QCoreApplication::postEvent(this, new ProgressWidgetDelete(item.widget), INT_MIN);
            }
            break;
        default:
            break;
        }
    }
    work.clear();

    // Which widgets show, and what keeps the dialog open or modal.
    QPointer<ProgressDialog> self(this);
    ProgressRefresh::Counts counts;
    QList<QPointer<ProgressWidget>> widgets;
    for (ProgressWidget* widget : progressWidgets())
        widgets.append(widget);
    for (const QPointer<ProgressWidget>& widget : qAsConst(widgets)) {
        if (!widget || !widget->task())
            continue;
        const QExplicitlySharedDataPointer<TaskPrivate> record(widget->task());
        const bool hidden = record->taskHide();
        if (!self || !m_manager)   // the hook deleted or replaced this dialog
            return;
        if (widget) {
            widget->setVisible(!hidden);
            ProgressRefresh::Count(counts, record->flags());
        }
    }

    const bool wantVisible = counts.shown != 0;
    if (isWindow() && wantVisible && !isVisible()) {
        if (windowType() != Qt::Tool)
            setWindowFlags(Qt::Tool);
        setAttribute(Qt::WA_MacAlwaysShowToolWindow);
        setModal(counts.modal != 0);
        if (!m_manager->restoreState())
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
