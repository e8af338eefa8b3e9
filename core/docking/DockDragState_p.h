#pragma once

#include <QuillCoreExport.h>

#include "Dock.h"
#include "DockGeometry_p.h"
#include "HoverWidget.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace Quill {
namespace UI {


// The one tab drag of the process: a page torn off a dock's tab bar travels with
// the mouse until it is dropped. Shared by every DockTabBar and by Dock::setHover.
// The pointers are guarded, so a dock, page or overlay destroyed mid-drag reads as
// null instead of dangling. GUI thread only.
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
    // Destroys the overlay, if any.
    void destroyHoverWidget();
    // Back to idle; destroys the overlay.
    void reset();

private:
    DockDragState() = default;
};

} // namespace UI
} // namespace Quill
