#pragma once

#include <QuillCoreExport.h>

#include <windowing/SnappableWindow.h>

#include <QMainWindow>
#include <QPointer>

namespace Quill {
namespace UI {

class Dock;
class DockMainWindow;
class DockSplitter;

// A top-level window of the docking workspace whose content is one root
// DockSplitter of Docks. Floating panes live in DockWindows made by the controller;
// DockMainWindow derives from this class. GUI thread only.
class QUILL_CORE_EXPORT DockWindow : public QMainWindow, public SnappableWindow
{
public:
    // `controller` is not owned. Pass the window itself (DockMainWindow does) to
    // make a main window; anything else gets the floating-window style.
    DockWindow(DockMainWindow* controller, QWidget* parent = nullptr);
    ~DockWindow() override;

    // Appends `dock` to the root splitter (a new one if the window has none).
    void addWidget(Dock* dock);
    DockSplitter* rootSplitter() const;
    // The workspace; null after disconnectController() or once it is destroyed.
    DockMainWindow* controller() const;

    // First dock (depth first, children in index order) one of whose pane ids
    // equals `id` (exact) or begins with it (!exact). Case-sensitive.
    Dock* findDockWithPaneID(const QString& id, bool exact) const;

    // Forget the controller: the window no longer calls back into it.
    void disconnectController();

protected:
    // Closes every dock. The window stays open when a page refuses to close, so
    // that closing never destroys unsaved work.
    void closeEvent(QCloseEvent* event) override;

    // Closes the docks of `splitter` depth first; false when any refused.
    static bool closeDocks(DockSplitter* splitter);
    void setRootSplitterPointer(DockSplitter* splitter);

private:
    QPointer<DockMainWindow> m_controller;
    QPointer<DockSplitter> m_rootSplitter;   // owned through the Qt tree (central widget)
};

} // namespace UI
} // namespace Quill
