#pragma once

#include <QuillCoreExport.h>

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QAction;
class QMenu;
class QStackedWidget;

namespace Quill {
namespace UI {

class DockMainWindow;
class DockPlaceHolder;
class DockTabBar;
class DockTitleBar;
class DockWindow;
class TitleBarButton;

// One pane of the docking workspace: a stack of the host's panel widgets (pages),
// one shown at a time, under a title bar with one tab per page, an optional
// panel-menu button and optional float-tab and close-tab buttons. Implements the
// pane commands (split, float, close, transpose, expand, full screen).
//
// Pages without Qt::WA_DeleteOnClose survive the dock: they are detached, not
// destroyed, when they leave it. A page the host destroys while it is docked simply
// disappears from the dock. The controller pointer is not owned; it reads as null
// once the controller has started to go away. GUI thread only.
class QUILL_CORE_EXPORT Dock : public QWidget
{
    Q_OBJECT
public:
    Dock(DockMainWindow* controller, QWidget* parent = nullptr);
    ~Dock() override;

    // Pages and tabs
    void addWidget(QWidget* widget, bool makeCurrent = true, bool remember = false);
    void insertWidget(int index, QWidget* widget);
    void insertWidget(QPoint pos, QWidget* widget);
    // Moves the page at `from` and its tab to `to`, the current page staying
    // current. The page stays in the dock, so it is reported neither removed nor
    // added.
    void moveWidget(int from, int to);
    void removeWidget(QWidget* widget);
    void removeWidgetAndSetCurrentTab(QWidget* widget, int tab);
    DockPlaceHolder* restorePlaceHolderForWidget(QWidget* widget);
    void setCurrentWidget(QWidget* widget);
    void setCurrentTab(int tab);
    void cycleCurrentWidget();

    // Pane commands
    Dock* split(Qt::Orientation orientation, bool before);
    void floatWidgetAt(QWidget* widget, QPoint globalPos);
    bool isFullscreenDock() const;
    void setExpanded(bool expanded);
    bool isExpanded() const { return m_expanded; }
    void makeActive();
    void setHover(bool on);
    bool isHover() const { return m_hover; }
    void updateTabs();
    bool titleVisible() const { return m_titleVisible; }

    // Queries
    DockMainWindow* controller() const;
    // Forget the controller: the dock no longer calls back into it.
    void disconnectController();
    int count() const;
    QWidget* widget(int index) const;
    QWidget* currentWidget() const;
    int currentTab() const;
    QStackedWidget* stack() const { return m_stack; }
    QMenu* menu() const { return m_menu; }
    DockTabBar* tabBar() const { return m_tabBar; }
    DockTitleBar* titleBar() const { return m_titleBar; }
    TitleBarButton* menuButton() const { return m_menuButton; }
    TitleBarButton* floatButton() const { return m_floatButton; }
    TitleBarButton* closeButton() const { return m_closeButton; }
    QAction* showTabsAction() const { return m_showTabsAction; }
    QStringList& paneIDs() { return m_paneIDs; }
    const QStringList& paneIDs() const { return m_paneIDs; }
    // Widgets added with `remember` set that still exist, in the order added.
    QList<QWidget*> rememberedWidgets() const;
    bool singlePanel() const { return false; }
    int tabBarHeight() const;
    DockWindow* dockWindow() const;
    QSize sizeHint() const override;

    static Dock* dockForWidget(QWidget* widget);
    static bool isTopLevel(const QWidget* widget);

signals:
    void mouseOver(bool);

public slots:
    void splitHorizontal();
    void splitVertical();
    void floatDock();
    void floatActiveTab();
    void closeActiveTab();
    void closeInactiveTabs();
    void closeTab(int index);
    void removeTab(int tab);
    void showTab(int tab);
    void transposeDock();
    void fullscreenDock();
    void dumpLayout();
    void setTitleVisible(bool titleVisible);
    void updateTitles();
    void nextTab();
    void prevTab();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void enterEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    bool event(QEvent* e) override;

private:
    friend class DockMainWindow;   // defers relayout() and parks docks while it builds a layout

    bool parentCanBeClosed() const;
    void refreshTitle();
    // After pages left: stack, focus proxy, previous tab, expansion and title
    // follow the tab bar.
    void followTabs();
    void relayout();
    void insertTabFor(int index, QWidget* widget);
    // Closes `pages` (last first): a page that accepts leaves the dock, detached
    // unless it deletes itself. False when any refused or the dock went meanwhile.
    bool closePages(QList<QPointer<QWidget>> pages);
    // closeTab and closeInactiveTabs: the focus stays in the dock when it was
    // there, and an emptied floating pane closes its window.
    void closeTabs(const QList<QPointer<QWidget>>& pages);
    // Takes a page out of the stack, the window's focus first out of it.
    void takePage(QWidget* page);
    // Moves `widget` into `target` the way addWidget(widget, true, false) does,
    // first taking it out of this dock so that this dock reports it gone.
    void movePageTo(Dock* target, QWidget* widget);
    DockWindow* createFloatingWindow(Dock** dock);
    bool acceptsPage(QWidget* widget) const;
    void takeFromOtherDock(QWidget* widget);
    void focusFirstIn(QWidget* page);
    // While a restore replaces the workspace, the docks it replaces are parked: an
    // empty stand-in becomes their current page, so that pages can leave them without
    // each next page being brought forward (shown, laid out and hidden again) on the
    // way. A parked dock reports no current page; unpark() makes it whole again.
    void park();
    void unpark();

    QList<QPointer<QWidget>> m_remembered;
    QPointer<DockMainWindow> m_controller;
    TitleBarButton* m_closeButton = nullptr;
    TitleBarButton* m_floatButton = nullptr;
    TitleBarButton* m_menuButton = nullptr;
    DockTabBar* m_tabBar = nullptr;
    DockTitleBar* m_titleBar = nullptr;
    QStackedWidget* m_stack = nullptr;
    QMenu* m_menu = nullptr;              // child of the dock: goes with it
    QAction* m_showTabsAction = nullptr;  // child of the menu
    int m_previousTab = 0;
    bool m_titleVisible = true;
    bool m_hover = false;
    bool m_expanded = false;
    bool m_relayoutPending = false;
    QStringList m_paneIDs;
    QPointer<QWidget> m_parking;          // the stand-in while parked, last in the stack

    // The splitters above ask for the size hint at every level of the tree, and the
    // stack asks all pages each time: kept until the pages, their titles or their
    // hints change, or the dock is shown or hidden. Also drops the splitters' hints.
    void invalidateSizeHint();
    mutable QSize m_sizeHint;
};

} // namespace UI
} // namespace Quill
