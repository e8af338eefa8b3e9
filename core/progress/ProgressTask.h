#pragma once

#include <QuillCoreExport.h>

#include <QExplicitlySharedDataPointer>
#include <QString>

namespace Quill {
namespace UI {

class ProgressManager;
class TaskPrivate;

// A long operation reporting its progress. Create one on the thread doing the
// work; it is listed with a ProgressManager (the one given, else
// ProgressManager::instance()), whose dialog shows it until the task object is
// destroyed.
//
//     ProgressTask task(tr("Exporting"), frames.size(),
//                       ProgressTask::kUserCanCancel | ProgressTask::kShowTimeToGo);
//     for (int i = 0; i < frames.size() && !task.isCancelled(); ++i) {
//         export(frames[i]);
//         task.setProgress(i + 1);
//     }
//
// Copies share one record; whichever copy is destroyed (or assigned over)
// first ends the task, and the remaining copies stay safe to use and destroy.
//
// Threads: every member may be called from any thread, but one ProgressTask
// object must not be used by two threads at once (copies may). The task must
// not be used while its manager is being destroyed; a task that merely
// outlives its manager keeps working, listed nowhere.
//
// The virtual hooks taskCancelled(), taskPaused(), taskResumed() and taskHide()
// are called on the GUI thread, and only once the task has made a call of its
// own (any member below, isCancelled() included) after construction: a
// subclass whose hooks read its members makes that first call after its
// constructor has finished, not from it. Until then its widget counts as not
// hidden and Cancel only sets the flag. While a hook runs, a thread ending the
// same task waits for it, so a hook must not block on a worker thread (for
// example by joining it): set a flag or post a request instead. A subclass
// destroyed on a worker thread while the dialog is open can see a hook call
// during its own destructor (the task ends in this base destructor); destroy
// such tasks on the GUI thread, or keep the state hooks touch valid until then.
// doProgressCallback() runs on the thread calling setProgress().
class QUILL_CORE_EXPORT ProgressTask
{
public:
    enum Flags {
        kDelayedPopup = 1,        // shown only once more than 2000 ms have passed
        kUserCanCancel = 2,       // Cancel button
        kShowTimeToGo = 4,        // time-to-go line
        kKeepWhenFinished = 8,    // stays shown after the task object is gone
        kDisable = 16,            // widget disabled; does not keep the dialog open
        kModal = 32,              // the dialog is modal while the task is shown
        kUserCanPause = 64,       // Pause button
        kProgressCallback = 0x80  // setProgress() calls doProgressCallback()
    };

    ProgressTask(const QString& name, int maximum, int flags, ProgressTask* parent = nullptr,
                 ProgressManager* manager = nullptr);
    ProgressTask(const ProgressTask& other);
    ProgressTask& operator=(const ProgressTask& other);
    virtual ~ProgressTask();

    // The user pressed Cancel (or closed the dialog). GUI thread.
    virtual void taskCancelled();
    // The user pressed Pause. GUI thread.
    virtual void taskPaused();
    // The user pressed Resume. GUI thread.
    virtual void taskResumed();
    // Asked on every refresh of the dialog; true hides the task's widget. GUI thread.
    virtual bool taskHide();
    // Called by setProgress() when kProgressCallback is set, on the calling thread.
    virtual void doProgressCallback();

    void setProgress(int progress);
    int progress() const;
    void setFlag(int flag, bool on);
    void setMessage(const QString& message);
    // Shows `message` in red with a Clear button; the task stays shown after it
    // ends until the user clears it. A kDisable task's widget stays disabled,
    // Clear included, and does not open the dialog: clear kDisable first when
    // the user must see and dismiss the error.
    void setErrorState(const QString& message);
    void setMaximum(int maximum);
    void setCancelled(bool cancelled);
    bool isCancelled() const;
    bool isPaused() const;
    // Tasks listed with this task's manager (all of them, not only children).
    int tasksCount() const;

private:
    void end();
    // The record, noting that this object has been fully constructed; null after end().
    TaskPrivate* record() const;
    void wake() const;

    QExplicitlySharedDataPointer<TaskPrivate> m_d;   // shared by the copies; null only after end()
    ProgressManager* m_manager;                      // the manager chosen at construction; not owned
};

} // namespace UI
} // namespace Quill
