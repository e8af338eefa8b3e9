#pragma once

#include <QuillCoreExport.h>

#include <QImage>
#include <QPointF>
#include <Qt>

namespace Quill {
namespace UI {

// The colour wheel's geometry and interaction rules as pure functions over numbers,
// shared by its painting and its mouse handling so that the colour under the
// pointer is the colour picked. Coordinates are y-up, relative to the wheel's
// centre unless said otherwise; hue is in turns, angles in radians.
namespace ColorWheelGeometry {

// Display modes, as ColorWheel::DisplayMode.
enum Mode { kWheel = 0, kRingAndSquare = 1, kWheelWithValueRing = 2, kEmbedded = 3 };

// Drag-mode bits, as ColorWheel's.
enum DragBits : unsigned {
    kDragHue = 1,
    kDragSaturation = 2,
    kDragValue = 4,
    kDragPan = 8,
    kDragZoom = 16,
    kDragBoxZoom = 32,
    kDragAbsolute = 64,
};

constexpr float kMaxPan = 1.9f;
constexpr float kMinZoom = 1.0f;
constexpr float kMaxZoom = 6.0f;

struct Geometry {
    float width = 0, height = 0;
    float outer = 0;    // R: half the zoomed side
    float radius = 0;   // r: the disc's rim
    float inner = 0;    // i: saturation 1; the band between i and r is out of gamut
    float cx = 0, cy = 0;   // centre, y-up widget pixels
    // Too small a widget has no disc: nothing is drawn and nothing can be picked.
    bool valid() const { return inner > 0.5f && radius >= inner; }
    // Widget pixel (x down) to y-up coordinates relative to the centre.
    QPointF fromWidget(QPointF p) const { return {p.x() - cx, (height - p.y()) - cy}; }
};

// Pan is in units of the inner radius.
QUILL_CORE_AUTOTEST_EXPORT Geometry Compute(int width, int height, float zoom, float panX, float panY, int mode);

// Any hue into [0, 1): a tiny negative hue gives 0, not 1; NaN gives 0.
QUILL_CORE_AUTOTEST_EXPORT float WrapHue(float hue);
// The hue shown at a point on a wheel turned by `rotation`.
QUILL_CORE_AUTOTEST_EXPORT float HueAt(float x, float y, float rotation);
// Where the colour marker of (hue, saturation) sits; saturation clamped to [0, 1].
QUILL_CORE_AUTOTEST_EXPORT QPointF MarkerAt(float hue, float saturation, float inner, float rotation);

// Which drag a press starts (ColorWheel::getDragMode).
QUILL_CORE_AUTOTEST_EXPORT unsigned DragMode(unsigned forced, Qt::MouseButton button,
                                             Qt::KeyboardModifiers modifiers, bool outside,
                                             bool zoomEnabled, int mode);
// The ring-and-square press: 1 on the ring, 6 in the square, 0 off the wheel,
// `previous` in the corners between them.
QUILL_CORE_AUTOTEST_EXPORT unsigned RingAndSquareDragMode(float x, float y, float radius, float inner,
                                                          unsigned previous);
// Half the side of the saturation/value square, as painted and as picked.
QUILL_CORE_AUTOTEST_EXPORT float SquareHalf(float inner);

struct Hsv {
    float hue, saturation, value;
};

// A drag move at (x, y) in a disc mode other than the value ring: the colour at
// the press is `press`; anchorX is where the drag started.
QUILL_CORE_AUTOTEST_EXPORT Hsv MoveColour(unsigned dragMode, float x, float y, float inner, float rotation,
                                          Hsv press, float anchorX);
// The value ring: value 0 at the bottom, rising clockwise. A real move cannot wrap
// across the seam (`previous` is the ring value before it).
QUILL_CORE_AUTOTEST_EXPORT float RingValue(float x, float y, float previous, bool move);
// A drag in the saturation/value square: shift alone moves value only, control
// saturation only.
QUILL_CORE_AUTOTEST_EXPORT Hsv SquareColour(float x, float y, float inner, Qt::KeyboardModifiers modifiers,
                                            Hsv current);

// Zoom snapped to 1/steps of an octave, then moved by `delta` steps.
QUILL_CORE_AUTOTEST_EXPORT float SnapZoom(float zoom, int steps, float delta);
// The pan that puts disc point `disc` (inner radii from the centre) at widget offset
// `pixel` (y-up pixels from the widget's middle) when the inner radius is `inner`;
// clamped to the pan limit.
QUILL_CORE_AUTOTEST_EXPORT QPointF PanKeeping(QPointF pixel, QPointF disc, float inner);
// The zoom factor that fits a box of bw x bh to the wheel's diameter `diameter` on
// a width x height widget (the limiting side fills the diameter).
QUILL_CORE_AUTOTEST_EXPORT float BoxZoomFactor(float diameter, float width, float height, float bw, float bh);

// The shared 512 x 512 texture: hue by angle (0 at +x, counter-clockwise in y-up
// texel rows), saturation by distance, min(d / kTextureUnit, 1), opaque everywhere.
constexpr int kTextureSize = 512;
constexpr float kTextureUnit = 210.0f;   // texels per inner radius
QUILL_CORE_AUTOTEST_EXPORT QImage BuildTexture();
// Built once for the whole program, on first use, from any thread.
QUILL_CORE_AUTOTEST_EXPORT const QImage& SharedTexture();

// The saturation/value square of `hue`: saturation left to right, value bottom
// (last row) to top, sampled at pixel centres. Any ARGB32 image.
QUILL_CORE_AUTOTEST_EXPORT void FillSquare(QImage& image, float hue);

} // namespace ColorWheelGeometry
} // namespace UI
} // namespace Quill
