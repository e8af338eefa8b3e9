#pragma once

#include <QuillCoreExport.h>

#include <QMargins>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace Quill {
namespace UI {

// Pure geometry of BubbleWidget: where it opens, which side carries the pin and the
// outline it paints. Rectangles use Qt's inclusive right()/bottom().
namespace BubbleGeometry {

// The one side a pin alignment stands for: the first of Top, Bottom, Left, Right
// present in `alignment`, or no flag (no pin).
QUILL_CORE_AUTOTEST_EXPORT Qt::Alignment PinSide(Qt::Alignment alignment);

// Contents margins for a pin on `side`: `margin` everywhere, plus `pinHeight` on the
// pinned side.
QUILL_CORE_AUTOTEST_EXPORT QMargins PinMargins(Qt::Alignment side, int margin, int pinHeight);

// Size of a bubble whose body (contents plus plain margins) is `body`, with the pin
// room added on `side`.
QUILL_CORE_AUTOTEST_EXPORT QSize SizeWithPin(QSize body, Qt::Alignment side, int pinHeight);

struct QUILL_CORE_AUTOTEST_EXPORT Placement {
    Qt::Alignment side;   // pin side chosen; no flag: no pin
    QPoint pos;           // top-left after clamping
    QSize size;           // size measured for that side
    int pinOffset = 0;    // desired minus clamped position along the pinned edge
};

// Chooses the side for a bubble of body size `body` pointing at `target` on the
// screen area `available`, preferring `current`, then its opposite, then the first
// of Top, Bottom, Left, Right that fits; every side is measured with its own pin
// room. The result is clamped into `available` (flush with any edge; the right and
// bottom limits win on a screen smaller than the bubble).
QUILL_CORE_AUTOTEST_EXPORT Placement Place(const QRect& target, const QRect& available,
                                           Qt::Alignment current, QSize body, int pinHeight);

struct QUILL_CORE_AUTOTEST_EXPORT Shape {
    Qt::Alignment side;
    int pinOffset = 0;
    int pinWidth = 30;
    int pinHeight = 20;
    int cornerRadius = 8;
};

// Clockwise rounded outline inside `rect` (2 pixels clear of its edges, the pinned
// side a further pinHeight in), with a pin pinWidth wide and pinWidth / 2 high whose
// centre is shifted by the pin offset but kept clear of the corners.
QUILL_CORE_AUTOTEST_EXPORT QPainterPath Outline(const QRect& rect, const Shape& shape);

} // namespace BubbleGeometry
} // namespace UI
} // namespace Quill
