#include "DockWindow.h"
#include "Dock.h"
#include "DockMainWindow.h"
#include "DockSplitter.h"

#include <windowing/WidgetUtils.h>

#include <QCloseEvent>

namespace Quill {
namespace UI {

namespace {

Dock* findPaneID(const QSplitter* splitter, const QString& id, bool exact)
{
    for (int i = 0; i < splitter->count(); ++i) {
        QWidget* child = splitter->widget(i);
        if (auto* nested = dynamic_cast<DockSplitter*>(child)) {
            if (Dock* d = findPaneID(nested, id, exact))
                return d;
        } else if (auto* dock = qobject_cast<Dock*>(child)) {
            for (const QString& pane : dock->paneIDs()) {
                if (exact ? pane == id : pane.startsWith(id))
                    return dock;
            }
        }
    }
    return nullptr;
}

} // namespace

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
    return root ? findPaneID(root, id, exact) : nullptr;
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
    bool allClosed = true;
    for (int i = 0; i < splitter->count(); ++i) {
        QWidget* child = splitter->widget(i);
        if (auto* nested = dynamic_cast<DockSplitter*>(child)) {
            if (!closeDocks(nested))
                allClosed = false;
        } else if (auto* dock = qobject_cast<Dock*>(child)) {
            if (!dock->close())
                allClosed = false;
        }
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
