#include "ProgressTask.h"

#include "ProgressManager.h"
#include "TaskPrivate.h"

namespace Quill {
namespace UI {

ProgressTask::ProgressTask(const QString& name, int maximum, int flags, ProgressTask* parent,
                           ProgressManager* manager)
    : m_manager(manager ? manager : ProgressManager::instance())
{
    m_d = new TaskPrivate(this, name, maximum, flags, parent ? parent->m_d.data() : nullptr, m_manager);
    if (m_manager)
        m_manager->addTask(m_d.data());
}

ProgressTask::ProgressTask(const ProgressTask& other) = default;

ProgressTask& ProgressTask::operator=(const ProgressTask& other)
{
    if (m_d != other.m_d) {
        // Assigning over a task ends it, as destroying it would; otherwise its
        // record would stay listed (and shown) for ever.
        end();
        m_d = other.m_d;
    }
    m_manager = other.m_manager;
    return *this;
}

ProgressTask::~ProgressTask()
{
    end();
}

void ProgressTask::end()
{
    const QExplicitlySharedDataPointer<TaskPrivate> d = m_d;
    m_d.reset();
    if (!d)
        return;
    if (ProgressManager* manager = d->manager())
        manager->removeTask(d.data());
    else
        d->finish();
}

TaskPrivate* ProgressTask::record() const
{
    if (m_d)
        m_d->markConstructed();
    return m_d.data();
}

void ProgressTask::wake() const
{
    // The record forgets its manager when the manager drops it or goes.
    if (ProgressManager* manager = m_d ? m_d->manager() : nullptr)
        manager->wakeUp();
}

void ProgressTask::taskCancelled() {}
void ProgressTask::taskPaused() {}
void ProgressTask::taskResumed() {}
bool ProgressTask::taskHide() { return false; }
void ProgressTask::doProgressCallback() {}

void ProgressTask::setProgress(int progress)
{
    TaskPrivate* d = record();
    if (!d)
        return;
    // Sequentially consistent, like the dialog's refresh request that follows:
    // either that request is posted or the refresh running now reads this value.
    d->setProgress(progress);
    wake();
    if (d->hasFlag(TaskPrivate::kProgressCallback))
        doProgressCallback();
}

int ProgressTask::progress() const
{
    const TaskPrivate* d = record();
    return d ? d->progress() : -1;
}

void ProgressTask::setFlag(int flag, bool on)
{
    if (TaskPrivate* d = record()) {
        d->setFlag(flag, on);
        wake();
    }
}

void ProgressTask::setMessage(const QString& message)
{
    if (TaskPrivate* d = record()) {
        d->setMessage(message);
        wake();
    }
}

void ProgressTask::setErrorState(const QString& message)
{
    if (TaskPrivate* d = record()) {
        d->setErrorState(message);
        wake();
    }
}

void ProgressTask::setMaximum(int maximum)
{
    if (TaskPrivate* d = record()) {
        d->setMaximum(maximum);
        wake();
    }
}

void ProgressTask::setCancelled(bool cancelled)
{
    if (TaskPrivate* d = record()) {
        d->setCancelled(cancelled);
        wake();
    }
}

bool ProgressTask::isCancelled() const
{
    const TaskPrivate* d = record();
    return d && d->isCancelled();
}

bool ProgressTask::isPaused() const
{
    const TaskPrivate* d = record();
    return d && d->isPaused();
}

int ProgressTask::tasksCount() const
{
    ProgressManager* manager = m_d ? m_d->manager() : nullptr;
    return manager ? manager->tasksCount() : 0;
}

} // namespace UI
} // namespace Quill
