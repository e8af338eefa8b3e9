#include "ProgressTask.h"

#include "ProgressManager.h"
#include "TaskPrivate.h"

#include "ProgressLocker.h"

namespace Quill {
namespace UI {

ProgressTask::ProgressTask(const QString& name, int maximum, int flags, ProgressTask* parent,
                           ProgressManager* manager)
    : _d(nullptr)
    , _manager(manager ? manager : ProgressManager::instance())
{
    _d = new TaskPrivate(this, name, maximum, flags, parent ? parent->_d : nullptr, _manager);
    if (_manager)
        _manager->addTask(_d);
}

ProgressTask::ProgressTask(const ProgressTask& other)
    : _d(other._d)
    , _manager(other._manager)
{
    if (_d)
        _d->retain();
}

ProgressTask& ProgressTask::operator=(const ProgressTask& other)
{
    if (_d != other._d) {
        // Assigning over a task ends it, as destroying it would; otherwise its
        // record would stay listed (and shown) for ever.
        end();
        _d = other._d;
        if (_d)
            _d->retain();
    }
    _manager = other._manager;
    return *this;
}

ProgressTask::~ProgressTask()
{
    end();
}

void ProgressTask::end()
{
    if (!_d)
        return;
    if (ProgressManager* manager = currentManager())
        manager->removeTask(_d);
    else
        _d->owner.store(nullptr);
    TaskPrivate::release(_d);
    _d = nullptr;
}

ProgressManager* ProgressTask::currentManager() const
{
    // The record forgets its manager when the manager is destroyed.
    return _d ? _d->manager.load(std::memory_order_acquire) : nullptr;
}

void ProgressTask::taskCancelled() {}
void ProgressTask::taskPaused() {}
void ProgressTask::taskResumed() {}
bool ProgressTask::taskHide() { return false; }
void ProgressTask::doProgressCallback() {}

void ProgressTask::setProgress(int progress)
{
    if (!_d)
        return;
    // Sequentially consistent, like the dialog's refresh request that follows:
    // either that request is posted or the refresh running now reads this value.
    _d->progress.store(progress);
    if (ProgressManager* manager = currentManager())
        emit manager->wake();
    if (_d->hasFlag(TaskPrivate::kProgressCallback))
        doProgressCallback();
}

int ProgressTask::progress() const
{
    return _d ? _d->progress.load(std::memory_order_relaxed) : -1;
}

void ProgressTask::setFlag(int flag, bool on)
{
    if (!_d)
        return;
    if (on)
        _d->flags.fetch_or(flag);
    else
        _d->flags.fetch_and(~flag);
    if (ProgressManager* manager = currentManager())
        emit manager->wake();
}

void ProgressTask::setMessage(const QString& message)
{
    if (!_d)
        return;
    ProgressManager* manager = currentManager();
    {
        ProgressLocker locker(manager ? manager->lock() : nullptr);
        _d->message = message;
        _d->flags.fetch_or(TaskPrivate::kMessageChanged);
    }
    if (manager)
        emit manager->wake();
}

void ProgressTask::setErrorState(const QString& message)
{
    if (!_d)
        return;
    const int errorFlags = kKeepWhenFinished | TaskPrivate::kMessageChanged | TaskPrivate::kErrorState;
    ProgressManager* manager = currentManager();
    {
        ProgressLocker locker(manager ? manager->lock() : nullptr);
        _d->message = message;
        _d->flags.fetch_or(errorFlags);
        _d->error.store(true);
    }
    if (manager)
        emit manager->wake();
}

void ProgressTask::setMaximum(int maximum)
{
    if (!_d)
        return;
    _d->maximum.store(maximum);
    if (ProgressManager* manager = currentManager())
        emit manager->wake();
}

void ProgressTask::setCancelled(bool cancelled)
{
    if (!_d)
        return;
    _d->cancelled.store(cancelled);
    if (ProgressManager* manager = currentManager())
        emit manager->wake();
}

bool ProgressTask::isCancelled() const
{
    return _d && _d->cancelled.load();
}

bool ProgressTask::isPaused() const
{
    return _d && _d->paused.load();
}

int ProgressTask::tasksCount() const
{
    ProgressManager* manager = currentManager();
    return manager ? manager->tasksCount() : 0;
}

} // namespace UI
} // namespace Quill
