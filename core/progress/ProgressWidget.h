#pragma once

#include <QuillCoreExport.h>

#include <QPointer>
#include <QString>
#include <QWidget>

#include "ProgressWidgetLayout.h"

class QProgressBar;
class QPushButton;

namespace Quill {
namespace UI {

class ProgressManager;
class TaskPrivate;
struct ProgressSnapshot;

// One task in the progress dialog: title, message, a progress bar, the
// time-to-go line and the Cancel/Pause buttons the task's flags ask for. In
// the error state the Cancel button becomes Clear, which dismisses the task.
//
// GUI thread only. The widget never reads the task's shared state while it
// paints: the dialog hands it a snapshot on every refresh.
class QUILL_CORE_EXPORT ProgressWidget : public QWidget
{
    Q_OBJECT
public:
    // `task` is retained while the widget shows it; `manager` is not owned and
    // is forgotten if it goes first. The dialog creates these; hosts rarely need to.
    ProgressWidget(TaskPrivate* task, ProgressManager* manager, QWidget* parent);
    ~ProgressWidget() override;

    QSize sizeHint() const override;

    // The record shown; null once the task has been cleared or completed.
    TaskPrivate* task() const { return _task; }
    QString statusText() const { return _status; }
    QString message() const { return m_message; }
    bool errorShown() const { return _errorShown; }
    QProgressBar* progressBar() const { return _bar; }
    QPushButton* cancelButton() const { return _cancel; }
    QPushButton* pauseButton() const { return _pause; }

    // Brings the widget up to date with `snapshot` of its task.
    void updateFromTask(const ProgressSnapshot& snapshot);
    // Without a task: shows "Completed.".
    void updateFromTask();
    // The record no longer belongs to this widget: it shows "Completed." and
    // its button turns into Hide.
    void detachTask();

public slots:
    void togglePause();
    // Cancels the task (calling its taskCancelled()); without a task, hides
    // (deletes) the widget.
    void cancel();
    // Dismisses the task: it is disabled, marked finished and its widget deleted.
    void clear();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class ProgressDialog;
    void showErrorState();
    void releaseTask();
    QPushButton* ensureCancelButton();
    void layoutChildren();
    ProgressWidgetLayout::Geometry geometryFor(const QSize& size) const;

    QString _status;
    QProgressBar* _bar = nullptr;
    QPushButton* _cancel = nullptr;      // child; may be null
    QPushButton* _pause = nullptr;       // child; may be null
    TaskPrivate* _task = nullptr;        // retained; null once cleared or completed
    QPointer<ProgressManager> _manager;  // not owned; a replaced dialog's widgets may outlive it
    bool _errorShown = false;

    // Copies for painting, so that paintEvent takes no lock.
    QString m_title;
    QString m_message;
    bool m_child = false;
};

} // namespace UI
} // namespace Quill
