#pragma once

#include <QuillCoreExport.h>

#include <QDialog>
#include <QList>

class QScrollArea;
class QTimer;

namespace Quill {
namespace UI {

class DialogProgressManager;
class ProgressWidget;
class VerticalLayout;

// The "Progress" dialog: one ProgressWidget per task of its manager in a
// scrolling column. It shows itself (as a tool window) while a task that is not
// disabled is listed, hides itself when none is left, and is modal while a
// kModal task is shown. Closing it cancels every shown task.
//
// GUI thread only. wake() refreshes synchronously; the manager requests
// refreshes from any thread and coalesces them (DialogProgressManager).
class QUILL_CORE_EXPORT ProgressDialog : public QDialog
{
    Q_OBJECT
public:
    // `manager` (not owned) owns the dialog.
    ProgressDialog(DialogProgressManager* manager, QWidget* parent);
    ~ProgressDialog() override;

    QSize sizeHint() const override;
    void setVisible(bool visible) override;

    // The task widgets, top to bottom.
    QList<ProgressWidget*> progressWidgets() const;

    // Lets go of every task and of the manager: records stop pointing at this
    // dialog's widgets, which turn into "Completed." widgets, and wake() does
    // nothing any more. Used when the dialog is replaced.
    void releaseTasks();

signals:
    void closing();
    void visibilityChanged(bool visible);

public slots:
    // Walks the task list: creates, refreshes and removes task widgets, drops
    // finished records, then shows, hides and makes the dialog modal.
    void wake();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();
    void applyModality(bool modal);

    DialogProgressManager* m_manager;  // not owned; owns this dialog; null once replaced
    VerticalLayout* m_layout;          // the column of task widgets
    QScrollArea* m_scrollArea;
    QTimer* m_popupTimer;             // wakes the dialog when a delayed task is due
    bool m_inWake = false;
    bool m_wakeAgain = false;
};

} // namespace UI
} // namespace Quill
