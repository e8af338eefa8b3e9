#include "ProgressManager.h"

#include "ProgressLocker_p.h"
#include "TaskPrivate.h"

#include <QWidget>

namespace Quill {
namespace UI {

std::atomic<ProgressManager*> ProgressManager::s_instance{nullptr};

ProgressManager::ProgressManager()
    : QObject(nullptr)
{
    ProgressManager* none = nullptr;
    s_instance.compare_exchange_strong(none, this);
}

ProgressManager::~ProgressManager()
{
    ProgressManager* self = this;
    s_instance.compare_exchange_strong(self, nullptr);

    // Tasks still alive stop talking to this manager.
    ProgressLocker locker(&m_mutex);
    while (!m_tasks.isEmpty())
        takeTask(0);
}

ProgressManager* ProgressManager::instance()
{
    return s_instance.load(std::memory_order_acquire);
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
        ProgressLocker locker(&m_mutex);
        if (m_tasks.contains(task))
            return;
        task->ref.ref();   // the list's reference, given back by takeTask()
        m_tasks.append(task);
    }
    emit wake();
}

QExplicitlySharedDataPointer<TaskPrivate> ProgressManager::takeTask(int index)
{
    QExplicitlySharedDataPointer<TaskPrivate> task(m_tasks.takeAt(index));
    task->ref.deref();     // the list's reference now lives in `task`
    task->forgetManager();
    return task;
}

void ProgressManager::removeTask(TaskPrivate* task)
{
    if (!task)
        return;
    task->finish();
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
    return m_tasks;
}

QMutex* ProgressManager::lock()
{
    return &m_mutex;
}

int ProgressManager::tasksCount()
{
    ProgressLocker locker(&m_mutex);
    return m_tasks.size();
}

void ProgressManager::wakeUp()
{
    emit wake();
}

} // namespace UI
} // namespace Quill
