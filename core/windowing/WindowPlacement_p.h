#pragma once

#include <QuillCoreExport.h>

#include <QPoint>
#include <QRect>
#include <QSize>

#include <QVector>

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

// A window read back from a layout: its saved frame rectangle (x, y, w, h), the
// number of the screen it was on and its state. `screens` holds the available
// geometry of every screen in order. A screen number beyond the last (or below 0)
// means the last (the first) screen, and full screen then is not applied. With
// `fit` the frame fills the screen's available area. A full-screen window first
// gets the middle two thirds of its screen; any other window is limited to the
// screen's height (and width, with one screen or when maximized), and one lying
// wholly off the area is pulled back, its top edge last.
struct QUILL_CORE_AUTOTEST_EXPORT RestoredWindow {
    QRect frame;
    bool fullscreen = false;
};
QUILL_CORE_AUTOTEST_EXPORT RestoredWindow PlaceRestored(int x, int y, int w, int h, int screen, bool maximized,
                                                        bool fullscreen, bool fit, const QVector<QRect>& screens);

} // namespace WindowPlacement
} // namespace UI
} // namespace Quill
