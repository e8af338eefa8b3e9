#pragma once

#include <QuillCoreExport.h>

#include <QPoint>
#include <QPointer>
#include <QTabBar>

namespace Quill {
namespace UI {

class Dock;
class DockTitleBar;

// The tab bar inside a Dock's title bar: one tab per page of the dock. Paints its
// tabs itself (the current one last, highlighted when the workspace asks for it).
// Dragging a tab sideways reorders the dock's tabs; dragging it out of the title
// bar tears the page off, to be dropped on any dock of the workspace (see
// DockDragState) or floated. Escape puts a dragged tab back. A Ctrl-press floats
// the current tab. GUI thread only.
class QUILL_CORE_EXPORT DockTabBar : public QTabBar
{
    Q_OBJECT
public:
    // `dock` is not owned; `parent` (the dock's title bar) is the parent widget.
    DockTabBar(Dock* dock, DockTitleBar* parent);

    Dock* dock() const { return m_dock; }

    // The tab-rectangle rule: tabRect(i) at least one line of the font tall.
    QRect dockTabRect(int index) const;
    // The insertion-index rule for a point in tab-bar coordinates: -1 when no tab
    // is under it, else that tab, plus one right of the tab's middle.
    int insertionIndexAt(const QPoint& pos) const;

    bool isMouseOverDock() const { return m_mouseOverDock; }
    // Index of the tab being reordered, -1 when none.
    int draggedTab() const { return m_draggedTab; }
    // The drag torn off from this bar ended (dropped or cancelled).
    void dragEnded();

public slots:
    // Lightens the current-tab highlight while a dragged tab hovers the dock.
    void onMouseOverDock(bool on);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    // Measured once per text and look for the whole workspace, not at every layout
    // of every bar: measuring the tab texts is most of building a workspace's tab
    // bars. Not kept under style sheets, whose rules may tell tabs apart.
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;

private:
    QSize cachedTabSize(int index, bool minimum) const;
    void startReorder(int tab);
    // Moves the reordered tab with the mouse, or tears it off the bar once the
    // mouse left the title bar: false then.
    bool reorderTo(const QMouseEvent* e);
    void stopReorder();

    QPoint m_pressPos;            // (-1, -1) after a Ctrl-press or a cancel: no drag from it
    Dock* m_dock;                 // owner's owner; outlives the bar
    DockTitleBar* m_titleBar;     // parent
    QPointer<QWidget> m_pressedPage;   // the page whose tab was pressed
    QPointer<QWidget> m_draggedPage;   // the page whose tab is reordered
    int m_draggedTab = -1;
    int m_reorderFrom = -1;       // where the reordered tab started, for Escape
    int m_draggedLeft = 0;        // left edge of the reordered tab, following the mouse
    int m_grabOffset = 0;         // press x minus that tab's left edge
    bool m_mouseOverDock = false;
    // Style and font, for cachedTabSize; empty under a style sheet (nothing kept).
    mutable QString m_lookKey;
    mutable bool m_lookKnown = false;   // false once the style or font changed
};

} // namespace UI
} // namespace Quill
