#pragma once

#include <QuillCoreExport.h>

#include "Dock.h"
#include "DockGeometry_p.h"
#include "HoverWidget.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

class QTimer;

namespace Quill {
namespace UI {

class DockMainWindow;
class DockTabBar;

// The one tab drag of the process: a page torn off a dock's tab bar travels with
// the mouse as a translucent tool window until it is dropped. Shared by every
// DockTabBar and by Dock::setHover.
//
// Every pointer is guarded, so a dock, page or overlay destroyed mid-drag reads
// as null instead of dangling, and every way a drag can end (drop, Escape, the
// grab taken by a popup, a dialog or another window, the application losing the
// focus, the source dock or the page going away) leaves the page in a dock, in a
// new floating window, or deleted with its workspace: never a stray tool window.
// GUI thread only.
class QUILL_CORE_AUTOTEST_EXPORT DockDragState
{
public:
    static DockDragState& instance();

    QPointer<QWidget> draggedWidget;    // the torn-off page, a floating tool window
    QPointer<Dock> sourceDock;          // the dock it was torn from
    QPoint grabPoint;                   // mouse position in the source tab bar at tear-off
    QPointer<Dock> hoveredDock;         // the dock under the cursor
    DropZone zone = DropZone::None;     // edge zone of the hovered dock
    int insertionIndex = -1;            // tab index a drop would insert at
    QPointer<HoverWidget> hoverWidget;  // overlay shown with split-by-dragging

    bool isDragging() const { return !draggedWidget.isNull(); }
    // The tab bar holding the mouse grab for the running drag, or null.
    DockTabBar* owner() const { return m_owner.data(); }
    // Shows the overlay over `globalRect`, the stack of `dock`, outlining the
    // current zone; one overlay serves every dock of a drag. True when it was
    // not showing before.
    bool showHoverWidget(Dock* dock, const QRect& globalRect);
    // Takes the overlay away, if any (kept hidden for reuse while a drag runs).
    void destroyHoverWidget();
    // Back to idle; destroys the overlay. Leaves the page alone.
    void reset();

    // Tears the page at tab `index` of `bar`'s dock off: it leaves the dock (which
    // reports it removed), becomes a stay-on-top tool window at 75 % opacity drawn
    // at `globalPos` - `pressPos`, and `bar` grabs mouse and keyboard.
    void begin(DockTabBar* bar, int index, const QPoint& pressPos, const QPoint& grabPoint,
               const QPoint& globalPos);
    // The cursor moved to `globalPos`: the page follows it, and the dock, zone and
    // insertion index under it are updated with their hover feedback.
    void moveTo(const QPoint& globalPos);
    // Drops the page at `globalPos`: into the dock under it (as a tab at the
    // insertion index, or into a new pane split off on the zone's side), or, over
    // no dock or with `floatIt`, into a new floating window where it was drawn.
    void drop(const QPoint& globalPos, bool floatIt);
    // Ends the drag without a drop: the page goes back to its tab in the source
    // dock, or, when that dock is gone or closing, into a new floating window
    // where it was drawn.
    void cancel();
    // `dock` is going away: forget it; a drag from it is cancelled at once.
    void forget(Dock* dock);

private:
    DockDragState() = default;
    void setHovered(Dock* dock, DropZone zone);
    // A dock that can take the page: alive, in a splitter of a shown window.
    static bool isUsable(const Dock* dock);
    // Hidden, opaque and activating as before the drag; settlePage() clears the
    // tool-window flags once the page has its place again.
    static void restorePage(QWidget* page, bool noActivation);
    static void settlePage(QWidget* page);
    static void floatPage(QWidget* page, Dock* source, DockMainWindow* controller, const QPoint& topLeft);
    // Closes the source's floating window when the drag emptied it, unless the
    // page's new dock `into` lies in it.
    static void closeEmptiedSource(Dock* source, Dock* into);
    void abort(bool touchOwner);
    // Releases the grabs and stops watching; state back to idle. `touchOwner`
    // lets the owning tab bar end its press (not while its dock is destroyed).
    void end(bool touchOwner = true);
    void watch();
    void checkGrab();

    QPointer<DockTabBar> m_owner;
    QPointer<Dock> m_overlayDock;       // the dock the overlay covers
    QPointer<HoverWidget> m_spareOverlay;
    QPointer<DockMainWindow> m_controller;
    QPointer<QWidget> m_modalAtStart;
    QPoint m_pressPos;                  // the page is drawn at the cursor minus this
    int m_sourceIndex = -1;             // the page's tab before the tear-off
    bool m_pageHadNoActivation = false;
    QTimer* m_watch = nullptr;          // lives as long as the drag
};

} // namespace UI
} // namespace Quill
