#include "DockMainWindow.h"
#include "Dock.h"
#include "DockGeometry.h"
#include "DockNameIndex.h"
#include "DockPlaceHolder.h"
#include "DockSplitter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeySequence>
#include <QStackedWidget>
#include <QWindow>

namespace Quill {
namespace UI {

namespace {

void collectDocks(const QSplitter* splitter, QList<Dock*>& out)
{
    for (int i = 0; i < splitter->count(); ++i) {
        QWidget* child = splitter->widget(i);
        if (auto* nested = dynamic_cast<DockSplitter*>(child))
            collectDocks(nested, out);
        else if (auto* dock = qobject_cast<Dock*>(child))
            out.append(dock);
    }
}

void collectDocksOf(const DockWindow* window, QList<Dock*>& out)
{
    if (auto* root = dynamic_cast<DockSplitter*>(window->centralWidget()))
        collectDocks(root, out);
}

void collectPlaceHolders(const QWidget* root, QList<DockPlaceHolder*>& out)
{
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (auto* ph = dynamic_cast<DockPlaceHolder*>(w))
            out.append(ph);
    }
}

// Depth-first search for a dock holding a page whose name begins with `prefix`.
// A dock is examined page by page and not descended into.
Dock* findDockWithPagePrefix(const QObject* object, const QString& prefix)
{
    for (QObject* child : object->children()) {
        if (!child->isWidgetType())
            continue;
        if (auto* dock = qobject_cast<Dock*>(child)) {
            for (int i = 0; i < dock->count(); ++i) {
                if (dock->widget(i)->objectName().startsWith(prefix))
                    return dock;
            }
            continue;
        }
        if (Dock* found = findDockWithPagePrefix(child, prefix))
            return found;
    }
    return nullptr;
}

// True when `object` lies inside `ancestor`'s object tree (crossing window
// boundaries, unlike QWidget::isAncestorOf).
bool isInsideTree(const QObject* object, const QObject* ancestor)
{
    for (const QObject* o = object ? object->parent() : nullptr; o; o = o->parent()) {
        if (o == ancestor)
            return true;
    }
    return false;
}

void collectDocksWithPrefix(QWidget* widget, const QString& prefix, QList<Dock*>& out)
{
    if (widget->objectName().startsWith(prefix)) {
        if (Dock* dock = Dock::dockForWidget(widget))
            out.append(dock);
    }
    for (QObject* child : widget->children()) {
        if (child->isWidgetType())
            collectDocksWithPrefix(static_cast<QWidget*>(child), prefix, out);
    }
}

} // namespace

DockMainWindow::DockMainWindow(QWidget* parent)
    : DockWindow(this, parent)
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setSnapEnabled(true);
    m_nameIndex.reset(new DockNameIndex(this));
}

DockMainWindow::~DockMainWindow()
{
    // Qt destroys the docks and floating windows after this body has run, when this
    // object is no longer a DockMainWindow: cut every path by which they, or the
    // application's focus tracking, could call back into it.
    m_nameIndex.reset();
    disconnect(qApp, SIGNAL(focusChanged(QWidget*,QWidget*)), this, SLOT(focusChanged(QWidget*,QWidget*)));
    for (const QMetaObject::Connection& c : qAsConst(m_windowWatch))
        disconnect(c);
    m_windowWatch.clear();
    for (DockWindow* w : qAsConst(m_floatingWindows))
        w->disconnectController();
    const QList<QWidget*> descendants = findChildren<QWidget*>();
    for (QWidget* w : descendants) {
        if (auto* dock = qobject_cast<Dock*>(w)) {
            if (dock->m_controller == this)
                dock->m_controller = nullptr;
        } else if (auto* window = dynamic_cast<DockWindow*>(w)) {
            if (window->controller() == this)
                window->disconnectController();
        }
    }
    disconnectController();
}

// --- factories ------------------------------------------------------------------

DockWindow* DockMainWindow::createWindow()
{
    return new DockWindow(this, this);
}

Dock* DockMainWindow::createDock()
{
    return new Dock(this, nullptr);
}

QWidget* DockMainWindow::createPage(QString& id)
{
    auto* page = new DockPlaceHolder;
    page->setObjectName(id);
    return page;
}

// --- options ----------------------------------------------------------------------

void DockMainWindow::setHighlightCurrentTab(bool on)
{
    m_highlightCurrentTab = on;
    if (on)
        connect(qApp, SIGNAL(focusChanged(QWidget*,QWidget*)), this, SLOT(focusChanged(QWidget*,QWidget*)));
    else
        disconnect(qApp, SIGNAL(focusChanged(QWidget*,QWidget*)), this, SLOT(focusChanged(QWidget*,QWidget*)));
}

// --- registry and queries -----------------------------------------------------------

void DockMainWindow::setRootSplitter(DockSplitter* splitter)
{
    setCentralWidget(splitter);
    setRootSplitterPointer(splitter);
}

QList<Dock*> DockMainWindow::docks() const
{
    QList<Dock*> out;
    collectDocksOf(this, out);
    for (DockWindow* w : m_floatingWindows)
        collectDocksOf(w, out);
    return out;
}

QList<DockPlaceHolder*> DockMainWindow::placeHolders() const
{
    QList<DockPlaceHolder*> out;
    collectPlaceHolders(this, out);
    for (DockWindow* w : m_floatingWindows)
        collectPlaceHolders(w, out);
    return out;
}

Dock* DockMainWindow::findDockByName(const QString& name, bool exactOnly, bool searchPaneIDs) const
{
    // Floating windows are normally our children, so the search of our own tree
    // has already been through them; only windows parented elsewhere are searched
    // again. The first match is the same either way.
    QList<const DockWindow*> elsewhere;
    for (const DockWindow* w : m_floatingWindows) {
        if (!isInsideTree(w, this))
            elsewhere.append(w);
    }

    if (QWidget* match = findWidgetByName(name))
        return Dock::dockForWidget(match);

    auto byPaneID = [this](const QString& id, bool exact) -> Dock* {
        if (Dock* d = findDockWithPaneID(id, exact))
            return d;
        for (DockWindow* w : m_floatingWindows) {
            if (Dock* d = w->findDockWithPaneID(id, exact))
                return d;
        }
        return nullptr;
    };

    if (exactOnly)
        return searchPaneIDs ? byPaneID(name, true) : nullptr;

    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return nullptr;
    const QString prefix = name.left(dot + 1);
    if (searchPaneIDs) {
        if (Dock* d = byPaneID(prefix, false))
            return d;
    }
    if (Dock* d = findDockWithPagePrefix(this, prefix))
        return d;
    for (const DockWindow* w : qAsConst(elsewhere)) {
        if (Dock* d = findDockWithPagePrefix(w, prefix))
            return d;
    }
    return nullptr;
}

QWidget* DockMainWindow::findWidgetByName(const QString& name) const
{
    if (m_nameIndex)
        return m_nameIndex->find(name);
    QList<QWidget*> roots;
    for (DockWindow* w : m_floatingWindows)
        roots.append(w);
    return DockNameIndex::findByWalk(this, roots, name);
}

QList<Dock*> DockMainWindow::getDocksWithPrefix(const QString& prefix) const
{
    QList<Dock*> out;
    collectDocksWithPrefix(const_cast<DockMainWindow*>(this), prefix, out);
    return out;
}

Dock* DockMainWindow::findDockAt(QPoint globalPos) const
{
    QWidget* hit = nullptr;
    for (DockWindow* w : m_floatingWindows) {
        if (!w->isVisible())
            continue;
        hit = w->childAt(w->mapFromGlobal(globalPos));
        if (hit)
            break;
    }
    if (!hit)
        hit = childAt(mapFromGlobal(globalPos));
    return Dock::dockForWidget(hit);
}

Dock* DockMainWindow::focusWidgetUnderCursor()
{
    Dock* dock = findDockAt(QCursor::pos());
    if (dock)
        dock->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
    return dock;
}

Dock* DockMainWindow::activeDock() const
{
    return Dock::dockForWidget(QApplication::focusWidget());
}

QWidget* DockMainWindow::activeTab() const
{
    Dock* dock = activeDock();
    return dock ? dock->currentWidget() : nullptr;
}

bool DockMainWindow::isInLayout(const QString& name) const
{
    return m_layoutIDs.contains(name);
}

void DockMainWindow::saveLayoutIDs()
{
    m_layoutIDs.clear();
    auto collect = [this](const QWidget* root) {
        const QList<QWidget*> all = root->findChildren<QWidget*>();
        for (const QWidget* w : all) {
            if (!w->objectName().isEmpty())
                m_layoutIDs.append(w->objectName());
        }
    };
    collect(this);
    for (DockWindow* w : qAsConst(m_floatingWindows))
        collect(w);
}

// --- floating windows ------------------------------------------------------------------

void DockMainWindow::watchWindow(DockWindow* window)
{
    if (m_windowWatch.contains(window))
        return;
    m_windowWatch.insert(window, connect(window, &QObject::destroyed, this, [this, window]() {
        m_floatingWindows.removeAll(window);
        m_windowWatch.remove(window);
        floatingWindowsChanged();
    }));
}

void DockMainWindow::floatingWindowsChanged()
{
    if (!m_nameIndex)
        return;
    QList<QWidget*> roots;
    for (DockWindow* w : qAsConst(m_floatingWindows))
        roots.append(w);
    m_nameIndex->setRoots(roots);
}

void DockMainWindow::setFloatingWindows(QList<DockWindow*> list)
{
    m_floatingWindows.clear();
    for (DockWindow* w : list) {
        if (!w || w == this)
            continue;
        m_floatingWindows.append(w);
        watchWindow(w);
    }
    floatingWindowsChanged();
}

void DockMainWindow::addFloatingDock(DockWindow* window)
{
    if (!window || window == this)
        return;
    window->setSnapEnabled(true);
    m_floatingWindows.append(window);
    watchWindow(window);
    floatingWindowsChanged();
}

void DockMainWindow::removeFloatingDock(DockWindow* window)
{
    if (!window || window == this)
        return;
    const int index = m_floatingWindows.indexOf(window);
    if (index < 0)
        return;
    m_floatingWindows.removeAt(index);
    window->setSnapEnabled(false);
    floatingWindowsChanged();
}

DockWindow* DockMainWindow::addNewFloatingDock(QWidget* widget)
{
    DockWindow* window = createWindow();
    if (!window)
        return nullptr;
    if (widget) {
        if (Dock* dock = createDock()) {
            window->addWidget(dock);
            dock->addWidget(widget, true, false);
            window->resize(dock->sizeHint().expandedTo(
                QSize(DockGeometry::kMinFloatingWidth, DockGeometry::kMinFloatingHeight)));
            window->show();
            window->raise();
            window->activateWindow();
        }
    }
    addFloatingDock(window);
    return window;
}

// --- signals ----------------------------------------------------------------------------

void DockMainWindow::emitWidgetAdded(Dock* dock, QWidget* widget)
{
    if (m_highlightCurrentTab && dock)
        dock->updateTabs();
    emit widgetAdded(dock, widget);
}

void DockMainWindow::emitWidgetRemoved(Dock* dock, QWidget* widget)
{
    emit widgetRemoved(dock, widget);
}

void DockMainWindow::emitWidgetActivated(Dock* dock, QWidget* widget)
{
    emit widgetActivated(dock, widget);
}

void DockMainWindow::emitUpdateVellumScriptName(QString name)
{
    emit updateVellumScriptName(name);
}

// --- closing ------------------------------------------------------------------------------

void DockMainWindow::closeEvent(QCloseEvent* e)
{
    bool refused = false;
    // Over a copy: windows leave the list as they go.
    const QList<QPointer<DockWindow>> windows = [this]() {
        QList<QPointer<DockWindow>> out;
        for (DockWindow* w : m_floatingWindows)
            out.append(w);
        return out;
    }();
    for (const QPointer<DockWindow>& w : windows) {
        if (w && !w->close())
            refused = true;
    }
    DockWindow::closeEvent(e);
    // The floating windows are our children: closing over a refusing one would
    // destroy the work it holds.
    if (refused)
        e->ignore();
}

// --- navigation ------------------------------------------------------------------------------

QAction* DockMainWindow::makeAction(const QString& text, const char* shortcut, const char* name,
                                    const char* slot)
{
    auto* action = new QAction(text, this);
    action->setShortcut(QKeySequence::fromString(QString::fromLatin1(shortcut), QKeySequence::NativeText));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, SIGNAL(triggered()), this, slot);
    return action;
}

QAction* DockMainWindow::nextDockAction()
{
    return makeAction(tr("Next Pane"), "Ctrl+Alt+`", "quill.application.focusNextPane", SLOT(nextDock()));
}

QAction* DockMainWindow::prevDockAction()
{
    return makeAction(tr("Previous Pane"), "Ctrl+Shift+Alt+`", "quill.application.focusPreviousPane",
                      SLOT(prevDock()));
}

QAction* DockMainWindow::nextTabAction()
{
    return makeAction(tr("Next Tab"), "Ctrl+Shift+]", "quill.application.focusNextTab", SLOT(nextTab()));
}

QAction* DockMainWindow::prevTabAction()
{
    return makeAction(tr("Previous Tab"), "Ctrl+Shift+[", "quill.application.focusPreviousTab",
                      SLOT(prevTab()));
}

Dock* DockMainWindow::stepDock(int step)
{
    Dock* current = Dock::dockForWidget(QApplication::focusWidget());
    if (!current)
        return nullptr;
    const QList<Dock*> all = docks();
    const int n = all.size();
    int i = all.indexOf(current);
    if (i < 0)
        return nullptr;
    for (int k = 0; k < n; ++k) {
        i = (i + step + n) % n;
        Dock* target = all.at(i);
        // Empty docks are passed over, and so are docks that cannot take the focus
        // because they are hidden (a floating window the host keeps hidden):
        // stopping there would leave the focus where it was.
        if (!target->currentWidget() || !target->isVisible())
            continue;
        target->setFocus(Qt::OtherFocusReason);
        // Focus set in an inactive window waits there; activate that window so the
        // application's focus really moves and the next step continues from it.
        // QWidget::activateWindow() does nothing for a floating window whose
        // transient parent is active, so ask its platform window directly.
        QWidget* window = target->window();
        if (window != QApplication::activeWindow()) {
            window->raise();
            if (QWindow* handle = window->windowHandle())
                handle->requestActivate();
            else
                window->activateWindow();
        }
        return target;
    }
    return nullptr;
}

void DockMainWindow::nextDock()
{
    stepDock(+1);
}

void DockMainWindow::prevDock()
{
    stepDock(-1);
}

void DockMainWindow::nextTab()
{
    Dock* dock = Dock::dockForWidget(QApplication::focusWidget());
    if (!dock)
        return;
    if (dock->currentTab() >= dock->count() - 1) {
        Dock* target = stepDock(+1);
        if (target && target->count() > 0)
            target->setCurrentTab(0);
    } else {
        dock->nextTab();
    }
}

void DockMainWindow::prevTab()
{
    Dock* dock = Dock::dockForWidget(QApplication::focusWidget());
    if (!dock)
        return;
    // An empty dock moves on too, as it does for nextTab.
    if (dock->currentTab() <= 0) {
        Dock* target = stepDock(-1);
        if (target && target->count() > 0)
            target->setCurrentTab(target->count() - 1);
    } else {
        dock->prevTab();
    }
}

void DockMainWindow::focusChanged(QWidget* old, QWidget* now)
{
    Dock* a = Dock::dockForWidget(old);
    Dock* b = Dock::dockForWidget(now);
    if (a == b)
        return;
    if (a)
        a->updateTabs();
    if (b) {
        b->updateTabs();
        if (b->currentTab() >= 0)
            b->setCurrentTab(b->currentTab());
    }
}

} // namespace UI
} // namespace Quill
