#pragma once

#include <QuillCoreExport.h>

#include <QWidget>

namespace Quill {
namespace UI {

class Dock;

// Translucent overlay over a dock while a torn-off tab is dragged over it with
// split-by-dragging on: outlines the part of the dock the dropped page would take
// (the zone of DockDragState). At most one exists; DockDragState holds it.
// GUI thread only.
class QUILL_CORE_EXPORT HoverWidget : public QWidget
{
public:
    // `dock` is not kept; the overlay is a parentless top-level window.
    explicit HoverWidget(Dock* dock);

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace UI
} // namespace Quill
