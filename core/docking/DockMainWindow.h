#pragma once

#include <QuillCoreExport.h>

#include "Dock.h"
#include "DockWindow.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QSet>
#include <QStringList>

class QAction;
class QIODevice;

namespace Quill {
namespace UI {

class Dock;
class DockPlaceHolder;
namespace DockLayout {
struct Layout;
struct Window;
}

// The application's main window and the controller of the docking workspace: the
// main window's splitter tree of Docks plus any number of floating DockWindows.
// Hosts subclass it to supply their own windows, docks and pages (createWindow,
// createDock, createPage), set the options before they build docks, and listen to
// the page signals. Provides keyboard navigation between panes and tabs.
//
// Floating windows are Qt children of the main window; the floating-window list
// points at them without owning them and never holds a destroyed window. Closing
// the main window closes the floating windows first; a window whose pages refuse
// to close stays open. GUI thread only.
class QUILL_CORE_EXPORT DockMainWindow : public DockWindow
{
    Q_OBJECT
public:
    explicit DockMainWindow(QWidget* parent = nullptr);
    ~DockMainWindow() override;

    // Factories. createWindow: a floating window, child of this one, not yet
    // registered or shown. createDock: an empty dock without parent. createPage:
    // the page for a layout id, null to leave it out; the default is a placeholder
    // named `id`.
    virtual DockWindow* createWindow();
    virtual Dock* createDock();
    virtual QWidget* createPage(QString& id);

    // Options, read by docks when they are built or their pages change.
    bool hideSingleTabs() const { return m_hideSingleTabs; }
    void setHideSingleTabs(bool on) { m_hideSingleTabs = on; }
    bool hasPanelMenu() const { return m_hasPanelMenu; }
    void setHasPanelMenu(bool on) { m_hasPanelMenu = on; }
    bool splitPanelsByDragging() const { return m_splitPanelsByDragging; }
    void setSplitPanelsByDragging(bool on) { m_splitPanelsByDragging = on; }
    bool highlightCurrentTab() const { return m_highlightCurrentTab; }
    // On: follow the application's focus to repaint tabs and report activations.
    // Each call with true adds one connection; false removes them all.
    void setHighlightCurrentTab(bool on);
    bool tabsAreClosable() const { return m_tabsAreClosable; }
    void setTabsAreClosable(bool on) { m_tabsAreClosable = on; }

    // Registry and queries
    void setRootSplitter(DockSplitter* splitter);
    QList<Dock*> docks() const;
    QList<DockPlaceHolder*> placeHolders() const;
    Dock* findDockByName(const QString& name, bool exactOnly, bool searchPaneIDs) const;
    // The first descendant widget named `name` in Qt's recursive child search order
    // (findChild), else the first such descendant of each floating window parented
    // outside this window, in list order; null if none. A plain walk of the widget
    // tree: operations that look up many names build one DockUtil::NameMap instead.
    QWidget* findWidgetByName(const QString& name) const;
    QList<Dock*> getDocksWithPrefix(const QString& prefix) const;
    Dock* findDockAt(QPoint globalPos) const;
    Dock* focusWidgetUnderCursor();
    Dock* activeDock() const;
    QWidget* activeTab() const;
    bool isInLayout(const QString& name) const;
    void setFocusPage(QString id) { m_focusPage = id; }
    QString getFocusPage() const { return m_focusPage; }
    void clearRegisteredRects() {}

    // Floating windows, in registration order; a destroyed window leaves the list.
    QList<DockWindow*> floatingWindows() const;
    // Replaces the list (null entries and this window are left out); touches no
    // window's snapEnabled flag.
    void setFloatingWindows(QList<DockWindow*> list);
    // A registered floating window holding `widget` in a new dock, shown and
    // activated; with a null widget the window stays empty and hidden.
    DockWindow* addNewFloatingDock(QWidget* widget);

    // Called by docks; turned into the signals below.
    void emitWidgetAdded(Dock* dock, QWidget* widget);
    void emitWidgetRemoved(Dock* dock, QWidget* widget);
    void emitWidgetActivated(Dock* dock, QWidget* widget);
    void emitUpdateVellumScriptName(QString name);

    // Layout files: the windows with their placement, the splitter tree with its
    // sizes and stretch factors, the docks and the ids of their pages (XML, root
    // `layout` version "1.0"). saveLayout writes to an open device; the dock that
    // holds `focusWidget` (the application's focus widget when null) is marked as
    // focused. A page's `layoutState` property, as a string, is saved with it.
    void saveLayout(QIODevice* device, QWidget* focusWidget = nullptr);
    // Replaces the workspace by the one in `device`, obtaining every page through
    // createPage(id). The whole file is read and checked first: a file that is
    // not a layout, malformed or beyond the reader's bounds changes nothing (no
    // page is asked for, no window touched) and shows a message box; false then.
    // With fitMainWindowToScreen the main window fills its screen's available area.
    bool restoreLayout(QIODevice* device, bool fitMainWindowToScreen = false);
    // Whether the device's next element is `layout` version "1.0"; the device's
    // position is left where it was.
    static bool IsLayoutValid(QIODevice* device);

    // Checks the workspace's invariants: no nested splitter is empty, every dock
    // has this window as its controller and keeps its tabs in step with its pages,
    // docks() lists exactly the docks of the splitter trees in tree order, and the
    // floating list holds live, distinct windows. Returns false at the first breach
    // and describes it in `breach`. Meant for tests and debug checks.
    bool checkSanity(QString* breach = nullptr) const;

    // Navigation actions, each new, parented to this window and connected.
    QAction* nextDockAction();
    QAction* prevDockAction();
    QAction* nextTabAction();
    QAction* prevTabAction();

signals:
    void widgetAdded(Quill::UI::Dock* dock, QWidget* widget);
    void widgetRemoved(Quill::UI::Dock* dock, QWidget* widget);
    void widgetActivated(Quill::UI::Dock* dock, QWidget* widget);
    void updateVellumScriptName(QString name);

public slots:
    // Keyboard navigation from the focus widget's dock, in docks() order: the focus
    // moves to the next (previous) dock that holds a page and is shown, and that
    // dock's window is activated. nextTab/prevTab run through every page of those
    // docks, going on to the next (previous) dock from its last (first) page, and
    // at once from an empty dock.
    void nextDock();
    void prevDock();
    void nextTab();
    void prevTab();

private slots:
    void focusChanged(QWidget* old, QWidget* now);

protected:
    void closeEvent(QCloseEvent* e) override;
    // Snapshot of the object names of every named widget of the workspace, which
    // isInLayout() answers from; taken when a layout is saved or restored.
    void saveLayoutIDs();

private:
    friend class Dock;
    friend class DockTabBar;
    friend class DockWindow;

    // Builds the workspace described by a layout that was read without fault.
    void applyLayout(const DockLayout::Layout& layout, bool fitMainWindowToScreen);
    void applyWindow(DockWindow* window, const DockLayout::Window& saved, bool fitToScreen);
    // Ends the deferral of the docks' title layout and lays out those that waited.
    void flushDockLayout();

    void addFloatingDock(DockWindow* window);
    void removeFloatingDock(DockWindow* window);
    // The windows whose trees a name search covers: this one, then the floating
    // windows that are not inside it.
    QList<const QWidget*> searchRoots() const;
    // Focus moves to the next shown, non-empty dock `step` (+1 or -1) away from the
    // dock holding the focus, activating its window; returns that dock or null.
    Dock* stepDock(int step);
    QAction* makeAction(const QString& text, const char* shortcut, const char* name, const char* slot);

    QList<QPointer<DockWindow>> m_floatingWindows;
    QSet<QString> m_layoutIDs;
    bool m_hideSingleTabs = false;
    bool m_hasPanelMenu = true;
    bool m_splitPanelsByDragging = false;
    bool m_highlightCurrentTab = false;
    bool m_tabsAreClosable = false;
    QString m_focusPage;
    // While a layout is built, docks lay out their title bars once at the end
    // instead of at every page that comes or goes (see Dock::relayout).
    bool m_deferDockLayout = false;
    QList<QPointer<Dock>> m_deferredDocks;
    // Tab sizes measured by the workspace's tab bars, by text and look (see
    // DockTabBar::tabSizeHint): a restored layout measures its titles once.
    QHash<QString, QSize> m_tabSizes;
};

} // namespace UI
} // namespace Quill
