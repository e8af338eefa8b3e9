#pragma once

#include <QuillCoreExport.h>

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace Quill {
namespace UI {

// Pure placement rules behind WidgetUtils. Rectangles follow Qt's inclusive edges
// (right() == left + width - 1). `available` is the available geometry of the
// screen that applies; it need not start at (0, 0). Coordinates near the int
// limits are handled in 64 bits, and results are limited to the int range.
namespace WindowPlacement {

// Position that pulls a widget at `pos` of `size` left and up until its right and
// bottom edges are back on `available` (never moves it right or down). Returns
// `pos` itself when nothing needs to change.
QUILL_CORE_AUTOTEST_EXPORT QPoint PullInside(QPoint pos, QSize size, const QRect& available);

// Margin kept free around the rectangle a widget is placed next to.
constexpr int kNearRectMargin = 20;

// Where MoveWidgetNearRect puts a widget of `size` next to `rect`; empty when it
// finds no acceptable place and the widget must stay where it is.
QUILL_CORE_AUTOTEST_EXPORT std::optional<QPoint> NearRect(QSize size, const QRect& rect, const QRect& available);

// Geometry for a window leaving full screen: the frame's new top-left position and
// the new client size. `frame` and `geometry` are read after the state change.
struct QUILL_CORE_AUTOTEST_EXPORT FullscreenExit {
    QPoint framePos;
    QSize size;
};
QUILL_CORE_AUTOTEST_EXPORT FullscreenExit LeaveFullscreen(const QRect& frame, const QRect& geometry, const QRect& available);

} // namespace WindowPlacement
} // namespace UI
} // namespace Quill
