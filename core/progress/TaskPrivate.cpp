#include "TaskPrivate.h"

#include "ProgressClock_p.h"
#include "ProgressLocker_p.h"
#include "ProgressTask.h"

namespace Quill {
namespace UI {

TaskPrivate::TaskPrivate(ProgressTask* owner, const QString& title, int maximum, int flags,
                         TaskPrivate* parent, ProgressManager* manager)
    : m_title(title)
    , m_startTime(ProgressClock::Now())
    , m_parent(parent)
    , m_owner(owner)
    , m_manager(manager)
    , m_maximum(maximum)
    , m_flags(flags)
{
}

TaskPrivate::~TaskPrivate() = default;

QString TaskPrivate::message() const
{
    ProgressLocker locker(&m_messageLock);
    return m_message;
}

void TaskPrivate::setFlag(int flag, bool on)
{
    if (on)
        m_flags.fetch_or(flag);
    else
        m_flags.fetch_and(~flag);
}

void TaskPrivate::storeMessage(const QString& message, int flags)
{
    // Swapped in, and the old text released after unlocking by QString's
    // inline destructor, whose reference counting ThreadSanitizer can follow.
    QString text = message;
    ProgressLocker locker(&m_messageLock);
    m_message.swap(text);
    m_flags.fetch_or(kMessageChanged | flags);
}

void TaskPrivate::setMessage(const QString& message)
{
    storeMessage(message, 0);
}

void TaskPrivate::setErrorState(const QString& message)
{
    // Before the flag, so that a refresh that sees the error change sees the error.
    m_error.store(true);
    storeMessage(message, ProgressTask::kKeepWhenFinished | kErrorState);
}

void TaskPrivate::markConstructed()
{
    // Cheap on the setProgress path: a relaxed load once the flag is set.
    if (!m_constructed.load(std::memory_order_relaxed))
        m_constructed.store(true, std::memory_order_release);
}

void TaskPrivate::finish()
{
    {
        ProgressLocker pin(&m_ownerLock);
        m_owner.store(nullptr);
    }
    if (!hasFlag(ProgressTask::kKeepWhenFinished))
        m_finished.store(true);
}

TaskPrivate::Snapshot TaskPrivate::snapshot(qint64 nowMs)
{
    if (m_parent && m_parent->isCancelled())
        m_cancelled.store(true);
    Snapshot s;
    const int transient = kMessageChanged | kErrorState;
    const int before = m_flags.fetch_and(~transient);
    s.flags = before & ~transient;
    s.progress = m_progress.load();
    s.maximum = m_maximum.load();
    s.cancelled = m_cancelled.load();
    s.finished = m_finished.load();
    s.error = m_error.load();
    s.hasOwner = m_owner.load() != nullptr;
    s.elapsedMs = nowMs - m_startTime;
    s.message = message();
    return s;
}

void TaskPrivate::callHook(Hook hook)
{
    // The hook may drop every other reference to this record.
    QExplicitlySharedDataPointer<TaskPrivate> self(this);
    ProgressLocker pin(&m_ownerLock);
    ProgressTask* owner = m_owner.load();
    if (!owner || !m_constructed.load(std::memory_order_acquire))
        return;
    switch (hook) {
    case Hook::Cancelled: owner->taskCancelled(); break;
    case Hook::Paused: owner->taskPaused(); break;
    case Hook::Resumed: owner->taskResumed(); break;
    }
}

void TaskPrivate::cancel()
{
    QExplicitlySharedDataPointer<TaskPrivate> self(this);
    callHook(Hook::Cancelled);
    m_cancelled.store(true);
}

bool TaskPrivate::togglePause()
{
    if (!m_owner.load())
        return false;
    QExplicitlySharedDataPointer<TaskPrivate> self(this);
    const bool paused = !m_paused.load();
    m_paused.store(paused);
    callHook(paused ? Hook::Paused : Hook::Resumed);
    return paused;
}

bool TaskPrivate::taskHide()
{
    QExplicitlySharedDataPointer<TaskPrivate> self(this);
    ProgressLocker pin(&m_ownerLock);
    ProgressTask* owner = m_owner.load();
    return owner && m_constructed.load(std::memory_order_acquire) && owner->taskHide();
}

void TaskPrivate::clear()
{
    m_flags.fetch_or(ProgressTask::kDisable);
    m_finished.store(true);
}

} // namespace UI
} // namespace Quill
