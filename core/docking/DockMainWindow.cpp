#include "DockMainWindow.h"
#include "Dock.h"
#include "DockGeometry_p.h"
#include "DockUtil_p.h"
#include "DockPlaceHolder.h"
#include "DockSplitter.h"
#include "DockTabBar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeySequence>
#include <QStackedWidget>
#include <QVector>

namespace Quill {
namespace UI {

namespace {

QList<Dock*> docksOf(const DockWindow* window)
{
    QList<Dock*> out;
    if (auto* root = dynamic_cast<DockSplitter*>(window->centralWidget()))
        DockUtil::ForEachDock(root, [&out](Dock* d) { out.append(d); return true; });
    return out;
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

// First nested splitter under `splitter` (depth first) that has no child left.
const QSplitter* findEmptySplitter(const QSplitter* splitter)
{
    for (int i = 0; i < splitter->count(); ++i) {
        if (auto* nested = dynamic_cast<DockSplitter*>(splitter->widget(i))) {
            if (nested->count() == 0)
                return nested;
            if (const QSplitter* found = findEmptySplitter(nested))
                return found;
        }
    }
    return nullptr;
}

} // namespace

DockMainWindow::DockMainWindow(QWidget* parent)
    : DockWindow(this, parent)
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setSnapEnabled(true);
}

DockMainWindow::~DockMainWindow()
{
    // Qt destroys the docks and floating windows after this body has run, when this
    // object is no longer a DockMainWindow: cut every path by which they, or the
    // application's focus tracking, could call back into it.
    disconnect(qApp, SIGNAL(focusChanged(QWidget*,QWidget*)), this, SLOT(focusChanged(QWidget*,QWidget*)));
    for (DockWindow* w : floatingWindows())
        w->disconnectController();
    const QList<QWidget*> descendants = findChildren<QWidget*>();
    for (QWidget* w : descendants) {
        if (auto* dock = qobject_cast<Dock*>(w)) {
            if (dock->controller() == this)
                dock->disconnectController();
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
    QList<Dock*> out = docksOf(this);
    for (DockWindow* w : floatingWindows())
        out += docksOf(w);
    return out;
}

QList<DockPlaceHolder*> DockMainWindow::placeHolders() const
{
    QList<DockPlaceHolder*> out;
    collectPlaceHolders(this, out);
    for (DockWindow* w : floatingWindows())
        collectPlaceHolders(w, out);
    return out;
}

Dock* DockMainWindow::findDockByName(const QString& name, bool exactOnly, bool searchPaneIDs) const
{
    const QList<const QWidget*> roots = searchRoots();
    for (const QWidget* root : roots) {
        if (QWidget* match = DockUtil::FindDescendant(root, name))
            return Dock::dockForWidget(match);
    }

    const QList<DockWindow*> floating = floatingWindows();
    auto byPaneID = [this, &floating](const QString& id, bool exact) -> Dock* {
        if (Dock* d = findDockWithPaneID(id, exact))
            return d;
        for (DockWindow* w : floating) {
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
    for (const QWidget* root : roots) {
        if (Dock* d = findDockWithPagePrefix(root, prefix))
            return d;
    }
    return nullptr;
}

QList<const QWidget*> DockMainWindow::searchRoots() const
{
    // Floating windows are normally our children, so the search of our own tree
    // goes through them; only windows parented elsewhere are searched again.
    QList<const QWidget*> roots{this};
    for (const DockWindow* w : floatingWindows()) {
        if (!DockUtil::Contains(this, w))
            roots.append(w);
    }
    return roots;
}

QWidget* DockMainWindow::findWidgetByName(const QString& name) const
{
    for (const QWidget* root : searchRoots()) {
        if (QWidget* found = DockUtil::FindDescendant(root, name))
            return found;
    }
    return nullptr;
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
    for (DockWindow* w : floatingWindows()) {
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

namespace {

void collectNames(const QObject* parent, QSet<QString>& out)
{
    // Widgets only have widget parents: layouts, validators and models need no visit.
    for (const QObject* child : parent->children()) {
        if (!child->isWidgetType())
            continue;
        if (!child->objectName().isEmpty())
            out.insert(child->objectName());
        collectNames(child, out);
    }
}

} // namespace

void DockMainWindow::saveLayoutIDs()
{
    m_layoutIDs.clear();
    for (const QWidget* root : searchRoots())
        collectNames(root, m_layoutIDs);
}

// --- floating windows ------------------------------------------------------------------

QList<DockWindow*> DockMainWindow::floatingWindows() const
{
    QList<DockWindow*> out;
    out.reserve(m_floatingWindows.size());
    for (const QPointer<DockWindow>& w : m_floatingWindows) {
        if (w)
            out.append(w.data());
    }
    return out;
}

void DockMainWindow::setFloatingWindows(QList<DockWindow*> list)
{
    m_floatingWindows.clear();
    for (DockWindow* w : list) {
        if (w && w != this && !m_floatingWindows.contains(w))
            m_floatingWindows.append(w);
    }
}

void DockMainWindow::addFloatingDock(DockWindow* window)
{
    if (!window || window == this)
        return;
    window->setSnapEnabled(true);
    m_floatingWindows.removeAll(nullptr);
    if (!m_floatingWindows.contains(window))
        m_floatingWindows.append(window);
}

void DockMainWindow::removeFloatingDock(DockWindow* window)
{
    if (!window || window == this || !m_floatingWindows.removeOne(window))
        return;
    window->setSnapEnabled(false);
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
            DockUtil::ShowFloating(window, dock->sizeHint(), window->pos());
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

bool DockMainWindow::checkSanity(QString* breach) const
{
    auto fail = [breach](const QString& what) {
        if (breach)
            *breach = what;
        return false;
    };
    const QList<DockWindow*> floating = floatingWindows();
    if (floating.size() != m_floatingWindows.size())
        return fail(QStringLiteral("the floating list holds a destroyed window"));
    QList<const QWidget*> windows{this};
    for (DockWindow* w : floating) {
        if (w == this || windows.contains(w))
            return fail(QStringLiteral("the floating list holds a window twice or the main window"));
        windows.append(w);
    }
    QList<Dock*> inTrees;
    for (const QWidget* window : windows) {
        const auto* dockWindow = static_cast<const DockWindow*>(window);
        auto* root = dynamic_cast<DockSplitter*>(dockWindow->centralWidget());
        if (!root)
            continue;
        if (findEmptySplitter(root))
            return fail(QStringLiteral("an empty nested splitter stays in the tree of \"%1\"")
                            .arg(window->objectName()));
        inTrees += docksOf(dockWindow);
        // Every dock placed in a splitter of this window must be reachable from
        // its root, or docks() and every lookup built on it miss it.
        for (Dock* dock : window->findChildren<Dock*>()) {
            if (dock->window() == window && dynamic_cast<DockSplitter*>(dock->parentWidget())
                && !inTrees.contains(dock))
                return fail(QStringLiteral("a dock lies in a splitter outside its window's tree"));
        }
    }
    // docks() is this walk, so it is in tree order once no dock is listed twice.
    if (QSet<Dock*>(inTrees.begin(), inTrees.end()).size() != inTrees.size())
        return fail(QStringLiteral("a dock is listed twice"));
    for (Dock* dock : inTrees) {
        if (dock->controller() != this)
            return fail(QStringLiteral("a dock has lost its controller"));
        if (dock->tabBar()->count() != dock->count() || dock->tabBar()->currentIndex() != dock->currentTab())
            return fail(QStringLiteral("a dock's tabs are out of step with its pages"));
        if (dock->m_parking)
            return fail(QStringLiteral("a dock is still parked after a restore"));
    }
    return true;
}

// --- closing ------------------------------------------------------------------------------

void DockMainWindow::closeEvent(QCloseEvent* e)
{
    bool refused = false;
    // Over a copy: windows leave the list as they go.
    const QList<QPointer<DockWindow>> windows = m_floatingWindows;
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
    const QList<Dock*> all = docks();
    // Empty docks are passed over, and so are docks that cannot take the focus
    // because they are hidden (a floating window the host keeps hidden): stopping
    // there would leave the focus where it was.
    QVector<bool> eligible(all.size());
    for (int i = 0; i < all.size(); ++i)
        eligible[i] = all.at(i)->currentWidget() && all.at(i)->isVisible();
    const int next = DockGeometry::NextDockIndex(eligible, all.indexOf(current), step);
    if (next < 0)
        return nullptr;
    Dock* target = all.at(next);
    target->setFocus(Qt::OtherFocusReason);
    // Focus set in an inactive window waits there; activate that window so the
    // application's focus really moves and the next step continues from it.
    DockUtil::Activate(target->window());
    return target;
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
