#include "ProgressManager.h"

#include "ProgressTask.h"
#include "TaskPrivate.h"

#include "ProgressLocker.h"
#include <QWidget>

namespace Quill {
namespace UI {

std::atomic<ProgressManager*> ProgressManager::_instance{nullptr};

ProgressManager::ProgressManager()
    : QObject(nullptr)
{
    ProgressManager* none = nullptr;
    _instance.compare_exchange_strong(none, this);
}

ProgressManager::~ProgressManager()
{
    ProgressManager* self = this;
    _instance.compare_exchange_strong(self, nullptr);

    QList<TaskPrivate*> records;
    {
        ProgressLocker locker(&_mutex);
        records.swap(_tasks);
        // Tasks still alive stop talking to this manager.
        for (TaskPrivate* record : qAsConst(records))
            record->manager.store(nullptr, std::memory_order_release);
    }
    for (TaskPrivate* record : qAsConst(records))
        TaskPrivate::release(record);
}

ProgressManager* ProgressManager::instance()
{
    return _instance.load(std::memory_order_acquire);
}

QWidget* ProgressManager::progressWidget() { return nullptr; }
void ProgressManager::saveState() {}
bool ProgressManager::restoreState() { return false; }
bool ProgressManager::createProgressWidget(QWidget*, const QString&, const QString&) { return false; }
bool ProgressManager::createProgressWidget(QWidget*) { return false; }
bool ProgressManager::deleteProgressWidget() { return false; }

void ProgressManager::addTask(TaskPrivate* task)
{
    if (!task)
        return;
    {
        ProgressLocker locker(&_mutex);
        if (_tasks.contains(task))
            return;
        task->retain();
        _tasks.append(task);
    }
    emit wake();
}

void ProgressManager::removeTask(TaskPrivate* task)
{
    if (!task)
        return;
    {
        ProgressLocker pin(&m_ownerLock);
        task->owner.store(nullptr);
    }
    if (!task->hasFlag(ProgressTask::kKeepWhenFinished))
        task->finished.store(true);
    // The dialog clears its tool-window attribute itself when the list empties:
    // this may run on a worker thread, where no widget may be touched.
    emit wake();
}

bool ProgressManager::progressVisible()
{
    QWidget* widget = progressWidget();
    return widget && widget->isVisible();
}

QList<TaskPrivate*>& ProgressManager::tasks()
{
    return _tasks;
}

QMutex* ProgressManager::lock()
{
    return &_mutex;
}

int ProgressManager::tasksCount()
{
    ProgressLocker locker(&_mutex);
    return _tasks.size();
}

void ProgressManager::wakeUp()
{
    emit wake();
}

void ProgressManager::callHook(TaskPrivate* task, Hook hook)
{
    ProgressLocker pin(&m_ownerLock);
    ProgressTask* owner = task->owner.load();
    if (!owner)
        return;
    // The hook may delete the widget that holds the record.
    task->retain();
    switch (hook) {
    case Hook::Cancelled: owner->taskCancelled(); break;
    case Hook::Paused: owner->taskPaused(); break;
    case Hook::Resumed: owner->taskResumed(); break;
    }
    TaskPrivate::release(task);
}

bool ProgressManager::askTaskHide(TaskPrivate* task)
{
    ProgressLocker pin(&m_ownerLock);
    ProgressTask* owner = task->owner.load();
    return owner && owner->taskHide();
}

} // namespace UI
} // namespace Quill
