#include "ProgressWidget.h"

#include "ProgressManager.h"
#include "ProgressRefresh.h"
#include "ProgressTask.h"
#include "ProgressText.h"
#include "ProgressWidgetLayout.h"
#include "TaskPrivate.h"

#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>

namespace Quill {
namespace UI {

ProgressWidget::ProgressWidget(TaskPrivate* task, ProgressManager* manager, QWidget* parent)
    : QWidget(parent)
    , _task(task)
    , _manager(manager)
{
    const int flags = task ? task->flags.load() : 0;
    if (task) {
        task->retain();
        m_title = task->title;
        m_child = task->parent != nullptr;
    }

    _bar = new QProgressBar(this);
    _bar->setRange(0, qMax(0, task ? task->maximum.load() : 0));
    _bar->setValue(0);
    _bar->setMinimumWidth(100);

    if (flags & ProgressTask::kUserCanPause) {
        _pause = new QPushButton(tr("Pause"), this);
        connect(_pause, SIGNAL(clicked()), this, SLOT(togglePause()));
    }
    if (flags & ProgressTask::kUserCanCancel) {
        _cancel = new QPushButton(tr("Cancel"), this);
        connect(_cancel, SIGNAL(clicked()), this, SLOT(cancel()));
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
    if (!_task)
        return;
    // The record must never point at a deleted widget.
    if (_task->widget == this)
        _task->widget = nullptr;
    TaskPrivate::release(_task);
    _task = nullptr;
}

QSize ProgressWidget::sizeHint() const
{
    return QSize(340, 80);
}

void ProgressWidget::updateFromTask()
{
    _status = tr("Completed.");
    update();
}

void ProgressWidget::updateFromTask(const ProgressSnapshot& snapshot)
{
    if (!_task) {
        updateFromTask();
        return;
    }
    const int maximum = qMax(0, snapshot.maximum);
    _bar->setRange(0, maximum);
    // QProgressBar ignores values outside its range: clamp instead.
    _bar->setValue(qBound(0, ProgressRefresh::barValue(snapshot.progress), maximum));
    m_message = snapshot.message;
    setEnabled(!(snapshot.flags & ProgressTask::kDisable));

    if (snapshot.showError) {
        showErrorState();
    } else if (snapshot.flags & ProgressTask::kShowTimeToGo) {
        _status = ProgressText::timeToGo(snapshot.progress, snapshot.maximum, snapshot.elapsedMs,
                                         snapshot.cancelled, snapshot.error);
    }

    if (_cancel)
        _cancel->setEnabled(ProgressRefresh::cancelButtonEnabled(snapshot.flags, snapshot.cancelled, _errorShown));
    update();
}

QPushButton* ProgressWidget::ensureCancelButton()
{
    if (!_cancel) {
        _cancel = new QPushButton(this);
        _cancel->show();
        layoutChildren();
    }
    return _cancel;
}

void ProgressWidget::showErrorState()
{
    _errorShown = true;
    _status.clear();
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
    if (!_errorShown)
        _status = tr("Completed.");
    QPushButton* button = ensureCancelButton();
    button->setText(tr("Hide"));
    button->setEnabled(true);
    disconnect(button, nullptr, this, nullptr);
    connect(button, SIGNAL(clicked()), this, SLOT(cancel()));
    if (_pause)
        _pause->setEnabled(false);
    setEnabled(true);
    layoutChildren();
    update();
}

void ProgressWidget::togglePause()
{
    if (!_task || !_task->owner.load())
        return;
    const bool paused = !_task->paused.load();
    _task->paused.store(paused);
    QPointer<ProgressWidget> self(this);
    if (_manager)
        _manager->callHook(_task, paused ? ProgressManager::Hook::Paused : ProgressManager::Hook::Resumed);
    if (!self)   // the hook took the dialog down
        return;
    if (_pause) {
        _pause->setText(paused ? tr("Resume ") : tr("Pause "));
        layoutChildren();
    }
}

void ProgressWidget::cancel()
{
    if (!_task) {
        deleteLater();
        return;
    }
    QPointer<ProgressWidget> self(this);
    if (_manager)
        _manager->callHook(_task, ProgressManager::Hook::Cancelled);
    if (!self || !_task)   // the hook cleared the widget or took the dialog down
        return;
    _task->cancelled.store(true);
    if (_cancel && !_errorShown)
        _cancel->setEnabled(false);
    // Let the dialog show "Cancelling" without waiting for the task's next update.
    if (_manager)
        _manager->wakeUp();
}

void ProgressWidget::clear()
{
    if (_task) {
        _task->flags.fetch_or(ProgressTask::kDisable);
        _task->finished.store(true);
        releaseTask();
    }
    hide();
    deleteLater();
    if (_manager)
        _manager->wakeUp();
}

void ProgressWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

ProgressWidgetLayout::Geometry ProgressWidget::geometryFor(const QSize& size) const
{
    ProgressWidgetLayout::Input input;
    input.widget = size;
    if (_cancel)
        input.cancel = _cancel->sizeHint();
    if (_pause)
        input.pause = _pause->sizeHint();
    const QSize barHint = _bar->sizeHint();
    input.bar = QSize(qMax(barHint.width(), _bar->minimumWidth()), barHint.height());
    input.child = m_child;
    return ProgressWidgetLayout::compute(input);
}

void ProgressWidget::layoutChildren()
{
    const ProgressWidgetLayout::Geometry g = geometryFor(size());
    if (_cancel)
        _cancel->setGeometry(g.cancel);
    if (_pause)
        _pause->setGeometry(g.pause);
    _bar->setGeometry(g.bar);
}

void ProgressWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = geometryFor(size()).text;
    const int w = qMax(0, area.width());

    QFont titleFont = font();
    titleFont.setPixelSize(12);
    const QFontMetrics titleMetrics(titleFont);
    const int baseline = area.top() + titleMetrics.ascent();

    QFont smallFont = font();
    smallFont.setPixelSize(10);
    const QFontMetrics smallMetrics(smallFont);

    // A widget that has let go of its task still says which task it showed.
    if (_task || !m_title.isEmpty() || !m_message.isEmpty()) {
        painter.setFont(titleFont);
        painter.setPen(palette().color(QPalette::Text));
        const QString title = m_child ? QStringLiteral("- ") + m_title : m_title;
        painter.drawText(area.left(), baseline, titleMetrics.elidedText(title, Qt::ElideMiddle, w / 3));

        painter.setFont(smallFont);
        if (_errorShown)
            painter.setPen(Qt::red);
        painter.drawText(area.left() + w / 3, baseline,
                         smallMetrics.elidedText(m_message, Qt::ElideMiddle, 2 * w / 3));
    }

    painter.setFont(smallFont);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(area.left() + w / 3,
                     ProgressWidgetLayout::statusBaseline(baseline, smallMetrics.height(), smallMetrics.lineSpacing()),
                     _status);
}

} // namespace UI
} // namespace Quill
