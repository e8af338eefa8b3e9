#include "WindowPlacement_p.h"

#include <algorithm>
#include <climits>

namespace Quill {
namespace UI {
namespace WindowPlacement {

namespace {

// Coordinates are summed in 64 bits and brought back into int range at the end,
// so rectangles and sizes near the int limits cannot overflow.
int Saturate(qint64 v)
{
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}

} // namespace

QPoint PullInside(QPoint pos, QSize size, const QRect& available)
{
    qint64 x = pos.x();
    qint64 y = pos.y();
    // Edges measured as position + extent, compared with the inclusive right/bottom.
    const qint64 right = x + size.width();
    const qint64 bottom = y + size.height();
    if (right > available.right())
        x += available.right() - right;
    if (bottom > available.bottom())
        y += available.bottom() - bottom;
    return QPoint(Saturate(x), Saturate(y));
}

std::optional<QPoint> NearRect(QSize size, const QRect& rect, const QRect& available)
{
    const qint64 m = kNearRectMargin;
    const qint64 w = size.width();
    const qint64 h = size.height();
    const qint64 aLeft = available.left();
    const qint64 aTop = available.top();
    const qint64 aRight = available.right();
    const qint64 aBottom = available.bottom();
    const qint64 left = rect.left();
    const qint64 top = rect.top();
    const qint64 right = rect.right();
    const qint64 bottom = rect.bottom();
    auto point = [](qint64 x, qint64 y) { return QPoint(Saturate(x), Saturate(y)); };

    // Preferred spot: left of the margin, a third of the widget's height above it,
    // but clear of the title-bar strip at the top of the screen.
    const qint64 xL = std::max(left - m - w, aLeft);
    qint64 yL = top - m - h / 3;
    if (yL + h > aBottom)
        yL = aBottom - h;
    yL = std::max(yL, aTop + 26);

    const bool overlaps = xL < right + m && xL + w > left - m && yL < bottom + m && yL + h > top - m;
    if (!overlaps)
        return point(xL, yL);

    const qint64 roomLeft = (left - m) - aLeft;
    const qint64 roomRight = aRight - (right + m);
    const qint64 roomBelow = aBottom - (bottom + m);
    const qint64 roomAbove = (top - m) - aTop;

    if (w < roomLeft)
        return point(left - m - w, yL);
    if (roomRight > w)
        return point(right + m, yL);
    if (roomBelow > h)
        return point(xL, bottom + m);
    if (h + 10 < roomAbove)
        return point(xL, top - m - 10 - h);
    // Nothing fits cleanly: accept a partly off-screen spot if enough of it shows.
    if (roomRight >= 101)
        return point(right + m, yL);
    if (roomBelow >= 6)
        return point(xL, bottom + m);
    return std::nullopt;
}

FullscreenExit LeaveFullscreen(const QRect& frame, const QRect& geometry, const QRect& available)
{
    const qint64 top = std::max(frame.top(), available.top());
    const qint64 frameExtra = qint64(frame.bottom()) - frame.top() - (qint64(geometry.bottom()) - geometry.top());
    const qint64 geometryHeight = qint64(geometry.bottom()) - geometry.top() + 1;
    const qint64 availableHeight = qint64(available.bottom()) - available.top() + 1;
    const qint64 height = std::min(geometryHeight + (top - frame.top()), availableHeight - frameExtra);
    const qint64 width = qint64(geometry.right()) - geometry.left() + 1;
    return FullscreenExit{QPoint(frame.left(), Saturate(top)), QSize(Saturate(width), Saturate(height))};
}

RestoredWindow PlaceRestored(int x, int y, int w, int h, int screen, bool maximized, bool fullscreen, bool fit,
                             const QVector<QRect>& screens)
{
    const int n = screens.size();
    const QRect a = n > 0 ? screens.at(std::clamp(screen, 0, n - 1)) : QRect();
    const qint64 aLeft = a.left(), aTop = a.top(), aWidth = a.width(), aHeight = a.height();
    const qint64 aRight = aLeft + aWidth - 1, aBottom = aTop + aHeight - 1;
    qint64 left = x, top = y, width = std::max(w, 0), height = std::max(h, 0);
    if (fit) {
        left = aLeft, top = aTop, width = aWidth, height = aHeight;
    } else if (fullscreen) {
        left = aLeft + aWidth / 6, top = aTop + aHeight / 6, width = 2 * aWidth / 3, height = 2 * aHeight / 3;
    } else {
        height = std::min(height, aHeight);
        if (n == 1 || maximized)
            width = std::min(width, aWidth);
        // Empty rectangles never intersect, as with QRect.
        const bool intersects = width > 0 && height > 0 && aWidth > 0 && aHeight > 0 && left <= aRight
            && left + width - 1 >= aLeft && top <= aBottom && top + height - 1 >= aTop;
        if (!intersects) {
            if (top + height - 1 > aBottom)
                top = aBottom - height + 1;
            if (left < aLeft)
                left = aLeft;
            if (left + width - 1 > aRight)
                left = aRight - width + 1;
        }
        top = std::max(top, aTop);
    }
    RestoredWindow out;
    out.frame = QRect(Saturate(left), Saturate(top), Saturate(width), Saturate(height));
    out.fullscreen = fullscreen && screen >= 0 && screen < n;
    return out;
}

} // namespace WindowPlacement
} // namespace UI
} // namespace Quill
