#include "ProgressWidget.h"

#include "ProgressManager.h"
#include "ProgressRefresh_p.h"
#include "ProgressTask.h"
#include "ProgressText_p.h"
#include "ProgressWidgetLayout_p.h"

#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>

namespace Quill {
namespace UI {

namespace {

ProgressWidgetLayout::Geometry LayoutOf(const QSize& size, const QPushButton* cancel, const QPushButton* pause,
                                        const QProgressBar* bar, bool child)
{
    ProgressWidgetLayout::Input input;
    input.widget = size;
    if (cancel)
        input.cancel = cancel->sizeHint();
    if (pause)
        input.pause = pause->sizeHint();
    const QSize barHint = bar->sizeHint();
    input.bar = QSize(qMax(barHint.width(), bar->minimumWidth()), barHint.height());
    input.child = child;
    return ProgressWidgetLayout::Compute(input);
}

} // namespace

ProgressWidget::ProgressWidget(TaskPrivate* task, ProgressManager* manager, QWidget* parent)
    : QWidget(parent)
    , m_task(task)
    , m_manager(manager)
{
    const int flags = task ? task->flags() : 0;
    if (task) {
        m_title = task->title();
        m_child = task->parent() != nullptr;
    }

    m_bar = new QProgressBar(this);
    m_bar->setRange(0, qMax(0, task ? task->maximum() : 0));
    m_bar->setValue(0);
    m_bar->setMinimumWidth(100);

    if (flags & ProgressTask::kUserCanPause) {
        m_pause = new QPushButton(tr("Pause"), this);
        connect(m_pause, SIGNAL(clicked()), this, SLOT(togglePause()));
    }
    if (flags & ProgressTask::kUserCanCancel) {
        m_cancel = new QPushButton(tr("Cancel"), this);
        connect(m_cancel, SIGNAL(clicked()), this, SLOT(cancel()));
    }

    setFixedHeight(80);
    setMinimumWidth(320);
    if (flags & ProgressTask::kDisable)
        setEnabled(false);
    layoutChildren();
}

ProgressWidget::~ProgressWidget()
{
    releaseTask();
}

void ProgressWidget::releaseTask()
{
    // The record must never point at a deleted widget.
    if (m_task && m_task->widget() == this)
        m_task->setWidget(nullptr);
    m_task.reset();
}

QSize ProgressWidget::sizeHint() const
{
    return QSize(340, 80);
}

void ProgressWidget::updateFromTask()
{
    m_status = tr("Completed.");
    update();
}

void ProgressWidget::updateFromTask(const TaskPrivate::Snapshot& snapshot)
{
    if (!m_task) {
        updateFromTask();
        return;
    }
    const int maximum = qMax(0, snapshot.maximum);
    m_bar->setRange(0, maximum);
    // QProgressBar ignores values outside its range: clamp instead.
    m_bar->setValue(qBound(0, ProgressRefresh::BarValue(snapshot.progress), maximum));
    QString(snapshot.message).swap(m_message);   // the old text goes in inline code (see TaskPrivate)
    setEnabled(!(snapshot.flags & ProgressTask::kDisable));

    // The record's lasting error flag, not only the pending one: a widget
    // created after the error was first shown (a replaced dialog) shows it too.
    if (snapshot.error) {
        if (!m_errorShown)
            showErrorState();
    } else if (snapshot.flags & ProgressTask::kShowTimeToGo) {
        m_status = ProgressText::TimeToGo(snapshot.progress, snapshot.maximum, snapshot.elapsedMs,
                                          snapshot.cancelled, snapshot.error);
    }

    if (m_cancel)
        m_cancel->setEnabled(ProgressRefresh::CancelButtonEnabled(snapshot.flags, snapshot.cancelled, m_errorShown));
    update();
}

QPushButton* ProgressWidget::ensureCancelButton()
{
    if (!m_cancel) {
        m_cancel = new QPushButton(this);
        m_cancel->show();
    }
    return m_cancel;
}

void ProgressWidget::showErrorState()
{
    m_errorShown = true;
    m_status.clear();
    // Every error gets a Clear button, even on a task that could not be
    // cancelled: otherwise nothing could ever dismiss it.
    QPushButton* button = ensureCancelButton();
    button->setText(tr("Clear"));
    button->setEnabled(true);
    disconnect(button, nullptr, this, nullptr);
    connect(button, SIGNAL(clicked()), this, SLOT(clear()));
    layoutChildren();
}

void ProgressWidget::detachTask()
{
    releaseTask();
    m_status = tr("Completed.");
    QPushButton* button = ensureCancelButton();
    button->setText(tr("Hide"));
    button->setEnabled(true);
    disconnect(button, nullptr, this, nullptr);
    connect(button, SIGNAL(clicked()), this, SLOT(cancel()));
    if (m_pause)
        m_pause->setEnabled(false);
    setEnabled(true);
    layoutChildren();
    update();
}

void ProgressWidget::togglePause()
{
    if (!m_task)
        return;
    QPointer<ProgressWidget> self(this);
    const QExplicitlySharedDataPointer<TaskPrivate> task = m_task;
    if (!task->owner())
        return;
    const bool paused = task->togglePause();
    if (self && m_pause) {   // unless the hook took the dialog down
        m_pause->setText(paused ? tr("Resume ") : tr("Pause "));
        layoutChildren();
    }
}

void ProgressWidget::cancel()
{
    if (!m_task) {
        deleteLater();
        return;
    }
    QPointer<ProgressWidget> self(this);
    QPointer<ProgressManager> manager = m_manager;
    m_task->cancel();
    if (self && m_cancel && !m_errorShown)
        m_cancel->setEnabled(false);
    // Let the dialog show "Cancelling" without waiting for the task's next update.
    if (manager)
        manager->wakeUp();
}

void ProgressWidget::clear()
{
    if (m_task) {
        m_task->clear();
        releaseTask();
    }
    hide();
    deleteLater();
    if (m_manager)
        m_manager->wakeUp();
}

void ProgressWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void ProgressWidget::layoutChildren()
{
    const ProgressWidgetLayout::Geometry g = LayoutOf(size(), m_cancel, m_pause, m_bar, m_child);
    if (m_cancel)
        m_cancel->setGeometry(g.cancel);
    if (m_pause)
        m_pause->setGeometry(g.pause);
    m_bar->setGeometry(g.bar);
}

void ProgressWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = LayoutOf(size(), m_cancel, m_pause, m_bar, m_child).text;
    const int w = qMax(0, area.width());

    QFont titleFont = font();
    titleFont.setPixelSize(12);
    const QFontMetrics titleMetrics(titleFont);
    const int baseline = area.top() + titleMetrics.ascent();

    QFont smallFont = font();
    smallFont.setPixelSize(10);
    const QFontMetrics smallMetrics(smallFont);

    if (m_task) {
        painter.setFont(titleFont);
        painter.setPen(palette().color(QPalette::Text));
        const QString title = m_child ? QStringLiteral("- ") + m_title : m_title;
        painter.drawText(area.left(), baseline, titleMetrics.elidedText(title, Qt::ElideMiddle, w / 3));

        painter.setFont(smallFont);
        if (m_errorShown)
            painter.setPen(Qt::red);
        painter.drawText(area.left() + w / 3, baseline,
                         smallMetrics.elidedText(m_message, Qt::ElideMiddle, 2 * w / 3));
    }

    painter.setFont(smallFont);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(area.left() + w / 3,
                     ProgressWidgetLayout::StatusBaseline(baseline, smallMetrics.height(), smallMetrics.lineSpacing()),
                     m_status);
}

} // namespace UI
} // namespace Quill
