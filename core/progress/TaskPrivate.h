#pragma once

#include <QuillCoreExport.h>

#include <QExplicitlySharedDataPointer>
#include <QMutex>
#include <QRecursiveMutex>
#include <QSharedData>
#include <QString>
#include <QtGlobal>

#include <atomic>

namespace Quill {
namespace UI {

class ProgressManager;
class ProgressTask;
class ProgressWidget;

// The record one task shares between the thread that runs it (through
// ProgressTask) and the GUI thread (the progress dialog), listed with a
// ProgressManager.
//
// Lifetime: shared through QExplicitlySharedDataPointer. Every ProgressTask
// copy, the manager's list while the record is listed, the widget showing it
// and its child records hold a reference, so nothing that can reach a record
// ever sees it deleted.
//
// Threads: every operation may be called from any thread unless it says
// otherwise. Numbers and flags are atomics; the message has a lock of its own,
// so writes stay guarded whatever became of the manager.
class QUILL_CORE_EXPORT TaskPrivate : public QSharedData
{
public:
    // Flags beyond the public ones of ProgressTask.
    enum InternalFlags {
        kProgressCallback = 0x80,   // setProgress calls doProgressCallback()
        kMessageChanged = 0x8000,   // set by setMessage/setErrorState, cleared by snapshot()
        kErrorState = 0x80000       // set by setErrorState, cleared by snapshot()
    };

    // What the GUI side needs of a record for one refresh, copied at once.
    struct Snapshot {
        int progress = -1;
        int maximum = 0;
        int flags = 0;             // without the two transient flags above
        bool cancelled = false;
        bool finished = false;
        bool error = false;        // set for good by setErrorState
        bool hasOwner = false;
        qint64 elapsedMs = 0;
        QString message;
    };

    TaskPrivate(ProgressTask* owner, const QString& title, int maximum, int flags,
                TaskPrivate* parent, ProgressManager* manager);
    ~TaskPrivate();

    const QString& title() const { return m_title; }
    qint64 startTime() const { return m_startTime; }   // ProgressClock milliseconds
    TaskPrivate* parent() const { return m_parent.data(); }

    int progress() const { return m_progress.load(); }
    int maximum() const { return m_maximum.load(); }
    int flags() const { return m_flags.load(); }
    bool hasFlag(int flag) const { return (m_flags.load(std::memory_order_relaxed) & flag) != 0; }
    bool isCancelled() const { return m_cancelled.load(); }
    bool isPaused() const { return m_paused.load(); }
    bool isFinished() const { return m_finished.load(); }
    bool hasError() const { return m_error.load(); }
    QString message() const;
    // The task object that created the record; null once any copy of it ended the task.
    ProgressTask* owner() const { return m_owner.load(); }
    // The manager listing the record; null once it dropped the record or was destroyed.
    ProgressManager* manager() const { return m_manager.load(std::memory_order_acquire); }

    // Worker side (ProgressTask).
    void setProgress(int progress) { m_progress.store(progress); }
    void setMaximum(int maximum) { m_maximum.store(maximum); }
    void setFlag(int flag, bool on);
    void setCancelled(bool cancelled) { m_cancelled.store(cancelled); }
    void setMessage(const QString& message);
    void setErrorState(const QString& message);
    // The task object has been fully constructed (it made a call since): from
    // now on its hooks may be called.
    void markConstructed();
    // The task object is going: forgets it (waiting for a hook running on it)
    // and, unless kKeepWhenFinished is set, marks the record finished.
    void finish();

    // GUI side. Under the manager's lock: inherits the parent's cancellation,
    // copies the record and consumes the transient flags.
    Snapshot snapshot(qint64 nowMs);
    // Calls the owner's taskCancelled(), then marks the record cancelled.
    void cancel();
    // Flips the paused flag and calls taskPaused()/taskResumed(); returns the
    // new state. Does nothing (returns false) once the owner is gone.
    bool togglePause();
    // The owner's taskHide(); false when there is no owner or it may still be
    // under construction.
    bool taskHide();
    // The user dismissed the task: disabled and finished.
    void clear();
    // The manager stops listing the record (it dropped it or is going).
    void forgetManager() { m_manager.store(nullptr, std::memory_order_release); }

    // The widget showing the record; owned by the dialog. GUI thread only.
    ProgressWidget* widget() const { return m_widget; }
    void setWidget(ProgressWidget* widget) { m_widget = widget; }

private:
    // Sets the message under its lock, with kMessageChanged and `flags`.
    void storeMessage(const QString& message, int flags);
    enum class Hook { Cancelled, Paused, Resumed };
    void callHook(Hook hook);

    const QString m_title;
    const qint64 m_startTime;
    const QExplicitlySharedDataPointer<TaskPrivate> m_parent;
    std::atomic<ProgressTask*> m_owner;
    std::atomic<ProgressManager*> m_manager;
    std::atomic<int> m_progress{-1};   // -1: not started
    std::atomic<int> m_maximum;
    std::atomic<int> m_flags;
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_error{false};
    std::atomic<bool> m_constructed{false};
    mutable QMutex m_messageLock;      // guards m_message
    QString m_message;
    QRecursiveMutex m_ownerLock;       // held while a hook runs, so the owner cannot go meanwhile
    ProgressWidget* m_widget = nullptr;
};

} // namespace UI
} // namespace Quill
