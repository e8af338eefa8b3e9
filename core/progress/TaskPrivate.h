#pragma once

#include <QuillCoreExport.h>

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
// Threads:
// - progress, maximum, flags, cancelled, paused, finished, error and owner are
//   atomics: any thread reads and writes them without a lock.
// - message is guarded by the manager's mutex (ProgressManager::lock()).
// - title, startTime and parent never change after construction.
// - widget is touched by the GUI thread only.
//
// Lifetime: a record is reference counted. Every ProgressTask sharing it, the
// manager's list while it is listed, and the task widget showing it hold one
// reference each; the last release deletes it. So no copy of a task, no widget
// and no child record ever points at a deleted record.
class QUILL_CORE_EXPORT TaskPrivate
{
public:
    // Flags beyond the public ones of ProgressTask.
    enum InternalFlags {
        kProgressCallback = 0x80,   // setProgress calls doProgressCallback()
        kMessageChanged = 0x8000,   // set by setMessage/setErrorState, cleared on refresh
        kErrorState = 0x80000       // set by setErrorState, cleared once the widget shows it
    };

    // Starts with one reference, owned by the caller. `parent` (may be null) is
    // retained until this record goes.
    TaskPrivate(ProgressTask* owner, const QString& title, int maximum, int flags,
                TaskPrivate* parent, ProgressManager* manager);

    void retain();
    // Drops one reference; deletes the record when it was the last. Null is ignored.
    static void release(TaskPrivate* record);
    int referenceCount() const;

    // The task object that created the record; null once any copy of it has
    // been destroyed. Not owned.
    std::atomic<ProgressTask*> owner;
    // ProgressClock milliseconds at construction (monotonic).
    const qint64 startTime;
    const QString title;
    QString message;                 // guarded by the manager's mutex
    std::atomic<int> maximum;
    TaskPrivate* const parent;       // retained; may be null
    std::atomic<int> progress{-1};   // -1: not started
    std::atomic<int> flags;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> paused{false};
    std::atomic<bool> finished{false};
    std::atomic<bool> error{false};
    // The widget showing the record; not owned (the dialog owns it). Cleared by
    // the widget's destructor, so it never dangles. GUI thread only.
    ProgressWidget* widget = nullptr;
    // The manager the record is listed with; cleared when that manager is
    // destroyed, so that tasks outliving it stop talking to it. Not owned.
    std::atomic<ProgressManager*> manager;

    bool hasFlag(int flag) const { return (flags.load(std::memory_order_relaxed) & flag) != 0; }

private:
    ~TaskPrivate();
    Q_DISABLE_COPY(TaskPrivate)

    std::atomic<int> m_references{1};
};

} // namespace UI
} // namespace Quill
