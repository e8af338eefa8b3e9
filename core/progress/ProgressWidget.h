#pragma once

#include <QuillCoreExport.h>

#include "TaskPrivate.h"

#include <QExplicitlySharedDataPointer>
#include <QPointer>
#include <QString>
#include <QWidget>

class QProgressBar;
class QPushButton;

namespace Quill {
namespace UI {

class ProgressManager;

// One task in the progress dialog: title, message, a progress bar, the
// time-to-go line and the Cancel/Pause buttons the task's flags ask for. In
// the error state the Cancel button becomes Clear, which dismisses the task.
// Once its task is gone the widget paints only its status line.
//
// GUI thread only. The widget never reads the task's shared state while it
// paints: the dialog hands it a snapshot on every refresh.
class QUILL_CORE_EXPORT ProgressWidget : public QWidget
{
    Q_OBJECT
public:
    // `task` is referenced while the widget shows it; `manager` is not owned
    // and is forgotten if it goes first. The dialog creates these.
    ProgressWidget(TaskPrivate* task, ProgressManager* manager, QWidget* parent);
    ~ProgressWidget() override;

    QSize sizeHint() const override;

    // The record shown; null once the task has been cleared or completed.
    TaskPrivate* task() const { return m_task.data(); }
    QString statusText() const { return m_status; }
    QString message() const { return m_message; }
    bool errorShown() const { return m_errorShown; }
    QProgressBar* progressBar() const { return m_bar; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* pauseButton() const { return m_pause; }

    // Brings the widget up to date with `snapshot` of its task.
    void updateFromTask(const TaskPrivate::Snapshot& snapshot);
    // Without a task: shows "Completed.".
    void updateFromTask();
    // The record no longer belongs to this widget: it shows "Completed." and
    // its button turns into Hide.
    void detachTask();
    // Lets go of the record without changing what is shown (the widget is going).
    void releaseTask();

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
    void showErrorState();
    QPushButton* ensureCancelButton();
    void layoutChildren();
    QRect textArea() const;

    QString m_status;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;      // child; may be null
    QPushButton* m_pause = nullptr;       // child; may be null
    QExplicitlySharedDataPointer<TaskPrivate> m_task;   // null once cleared or completed
    QPointer<ProgressManager> m_manager;  // not owned; a replaced dialog's widgets may outlive it
    bool m_errorShown = false;

    // Copies for painting, so that paintEvent takes no lock.
    QString m_title;
    QString m_message;
    bool m_child = false;
};

} // namespace UI
} // namespace Quill
