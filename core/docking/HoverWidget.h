#pragma once

#include <QuillCoreExport.h>

#include <QWidget>

namespace Quill {
namespace UI {

class Dock;

// Translucent overlay over a dock while a torn-off tab is dragged over it with
// split-by-dragging on: outlines the part of the dock the dropped page would take.
// At most one is shown; the process-wide drag state owns it. GUI thread only.
class QUILL_CORE_EXPORT HoverWidget : public QWidget
{
public:
    // A frameless stay-on-top window without parent; `dock` is not kept (the
    // drag state places the overlay and deletes it, also when the dock goes).
    explicit HoverWidget(Dock* dock);

    // Edge zone of the drop (a DropZone value): None outlines the whole overlay,
    // the others the matching half.
    void setZone(int zone);
    int zone() const { return m_zone; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int m_zone = 0;
};

} // namespace UI
} // namespace Quill
