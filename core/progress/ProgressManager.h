#pragma once

#include <QuillCoreExport.h>

#include <QList>
#include <QMutex>
#include <QObject>
#include <QExplicitlySharedDataPointer>

#include <atomic>

class QWidget;

namespace Quill {
namespace UI {

class TaskPrivate;

// The process-wide list of progress tasks. The first manager constructed becomes
// instance(); tasks created without a manager are listed with it. This base class
// shows nothing (its widget operations do nothing); DialogProgressManager shows
// the tasks in a dialog.
//
// Threads: construct and destroy the manager on the GUI thread, and keep it
// alive as long as any task uses it. addTask, removeTask, tasksCount, wakeUp,
// instance and lock are safe from any thread; wake() is therefore emitted from
// worker threads too (connect with Qt::AutoConnection or QueuedConnection).
// The widget operations, progressVisible and windowCreated/
// progressDialogVisibilityChanged belong to the GUI thread.
class QUILL_CORE_EXPORT ProgressManager : public QObject
{
    Q_OBJECT
public:
    ProgressManager();
    ~ProgressManager() override;

    // The first manager constructed and not yet destroyed; null when none.
    static ProgressManager* instance();

    virtual QWidget* progressWidget();
    virtual void saveState();
    virtual bool restoreState();
    virtual bool createProgressWidget(QWidget* parent, const QString& title, const QString& objectName);
    virtual bool createProgressWidget(QWidget* parent);
    virtual bool deleteProgressWidget();

    // Lists `task` (once; the list keeps a reference) and emits wake().
    void addTask(TaskPrivate* task);
    // Ends `task` (TaskPrivate::finish()) and emits wake(). The record stays
    // listed until the GUI side drops it.
    void removeTask(TaskPrivate* task);
    bool progressVisible();
    // Direct access for the GUI side: hold lock() while walking or editing the
    // list. The list holds one reference to each record.
    QList<TaskPrivate*>& tasks();
    QMutex* lock();
    // Removes entry `index` of the list (hold lock()) and hands over the list's
    // reference; the record forgets this manager.
    QExplicitlySharedDataPointer<TaskPrivate> takeTask(int index);
    int tasksCount();
    void wakeUp();

signals:
    void wake();
    void windowCreated(QWidget* widget);
    void progressDialogVisibilityChanged(bool visible);

private:
    QMutex m_mutex;                  // guards m_tasks
    QList<TaskPrivate*> m_tasks;     // each entry holds one reference
    static std::atomic<ProgressManager*> s_instance;
};

} // namespace UI
} // namespace Quill
