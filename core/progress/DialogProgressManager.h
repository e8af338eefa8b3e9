#pragma once

#include <QuillCoreExport.h>

#include "ProgressManager.h"

#include <QElapsedTimer>
#include <QPointer>

#include <atomic>

class QTimer;

namespace Quill {
namespace UI {

class ProgressDialog;

// The progress manager applications normally construct: it shows its tasks in
// a ProgressDialog.
//
//     int main(int argc, char** argv) {
//         QApplication app(argc, argv);
//         Quill::UI::DialogProgressManager progress;   // before any task
//         ...
//     }
//
// Refreshing: wake() keeps being emitted once per change for anyone connected
// to it, but the dialog is refreshed at most about 60 times a second with at
// most one refresh pending, however fast worker threads report; the last
// change is always shown.
//
// Threads: construct, destroy and call the widget operations on the GUI
// thread; tasks may report from any thread (ProgressManager).
class QUILL_CORE_EXPORT DialogProgressManager : public ProgressManager
{
    Q_OBJECT
public:
    // Shortest time between two refreshes of the dialog.
    static constexpr int kMinimumRefreshIntervalMs = 16;

    // Creates the dialog with `parent` (not owned; the dialog is owned by this
    // manager, or by `parent` through Qt when that goes first).
    explicit DialogProgressManager(QWidget* parent = nullptr);
    ~DialogProgressManager() override;

    QWidget* progressWidget() override;
    // Writes the dialog's rectangle to the application settings
    // (Progress/WindowLocations/Progress).
    void saveState() override;
    // Once per process: moves the dialog to the saved rectangle. Later calls,
    // and a first call without saved rectangle, return false.
    bool restoreState() override;
    // Replaces the dialog with a new one; an earlier dialog lets go of its
    // tasks and, unless the host gave it a parent, is deleted.
    bool createProgressWidget(QWidget* parent, const QString& title, const QString& objectName) override;
    bool createProgressWidget(QWidget* parent) override;
    bool deleteProgressWidget() override;

protected:
    bool event(QEvent* event) override;

private:
    // Any thread: asks for a refresh unless one is already pending.
    void requestRefresh();
    // GUI thread: refreshes the dialog now.
    void runRefresh();

    QPointer<ProgressDialog> m_dialog;   // owned
    QTimer* m_throttle;
    QElapsedTimer m_sinceRefresh;
    std::atomic<bool> m_pending{false};
};

} // namespace UI
} // namespace Quill
