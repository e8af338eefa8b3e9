#include "DockDragState_p.h"
#include "HoverWidget.h"

namespace Quill {
namespace UI {

DockDragState& DockDragState::instance()
{
    static DockDragState state;
    return state;
}

void DockDragState::destroyHoverWidget()
{
    delete hoverWidget.data();
    hoverWidget = nullptr;
}

void DockDragState::reset()
{
    destroyHoverWidget();
    draggedWidget = nullptr;
    sourceDock = nullptr;
    grabPoint = QPoint();
    hoveredDock = nullptr;
    zone = DropZone::None;
    insertionIndex = -1;
}

} // namespace UI
} // namespace Quill
