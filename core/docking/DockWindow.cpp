#include "DockWindow.h"
#include "Dock.h"
#include "DockMainWindow.h"
#include "DockSplitter.h"
#include "DockUtil_p.h"

#include <windowing/WidgetUtils.h>

#include <QCloseEvent>

namespace Quill {
namespace UI {

DockWindow::DockWindow(DockMainWindow* controller, QWidget* parent)
    : QMainWindow(parent)
    , m_rootSplitter(new DockSplitter(Qt::Vertical))
{
    const bool isMain = controller && static_cast<DockWindow*>(controller) == this;
    if (controller)
        m_controller = controller;
    setCentralWidget(m_rootSplitter);
    if (!isMain)
        WidgetUtils::SetFloatingWindowStyle(this, parent);
    setAttribute(Qt::WA_DeleteOnClose);
    setSnapEnabled(false);
    setWindowTitle(QStringLiteral(" "));
}

DockWindow::~DockWindow()
{
    if (m_controller)
        m_controller->removeFloatingDock(this);
}

void DockWindow::addWidget(Dock* dock)
{
    if (!dock)
        return;
    if (!m_rootSplitter) {
        // The host took the splitter away: start a new root rather than drop the dock.
        auto* root = new DockSplitter(Qt::Vertical);
        setCentralWidget(root);
        m_rootSplitter = root;
    }
    m_rootSplitter->addWidget(dock);
    m_rootSplitter->updateDocks();
}

Dock* DockWindow::findDockWithPaneID(const QString& id, bool exact) const
{
    auto* root = dynamic_cast<DockSplitter*>(centralWidget());
    Dock* found = nullptr;
    if (root) {
        DockUtil::ForEachDock(root, [&](Dock* dock) {
            for (const QString& pane : dock->paneIDs()) {
                if (exact ? pane == id : pane.startsWith(id)) {
                    found = dock;
                    return false;
                }
            }
            return true;
        });
    }
    return found;
}

DockSplitter* DockWindow::rootSplitter() const
{
    return m_rootSplitter.data();
}

void DockWindow::setRootSplitterPointer(DockSplitter* splitter)
{
    m_rootSplitter = splitter;
}

void DockWindow::disconnectController()
{
    m_controller = nullptr;
}

bool DockWindow::closeDocks(DockSplitter* splitter)
{
    // Collected first: closed docks leave the tree, and emptied splitters with them.
    QList<QPointer<Dock>> docks;
    DockUtil::ForEachDock(splitter, [&docks](Dock* dock) {
        docks.append(dock);
        return true;
    });
    bool allClosed = true;
    for (const QPointer<Dock>& dock : qAsConst(docks)) {
        if (dock && !dock->close())
            allClosed = false;
    }
    return allClosed;
}

void DockWindow::closeEvent(QCloseEvent* event)
{
    auto* root = dynamic_cast<DockSplitter*>(centralWidget());
    if (root && !closeDocks(root))
        event->ignore();
}

} // namespace UI
} // namespace Quill

Quill::UI::DockMainWindow* Quill::UI::DockWindow::controller() const { return m_controller; }
