#include "WindowPlacement.h"

#include <algorithm>

namespace Quill {
namespace UI {
namespace WindowPlacement {

QPoint PullInside(QPoint pos, QSize size, const QRect& available)
{
    int x = pos.x();
    int y = pos.y();
    // Edges measured as position + extent, compared with the inclusive right/bottom.
    const int right = x + size.width();
    const int bottom = y + size.height();
    if (right > available.right())
        x += available.right() - right;
    if (bottom > available.bottom())
        y += available.bottom() - bottom;
    return QPoint(x, y);
}

std::optional<QPoint> NearRect(QSize size, const QRect& rect, const QRect& available)
{
    const int m = kNearRectMargin;
    const int w = size.width();
    const int h = size.height();
    const QRect& a = available;

    // Preferred spot: left of the margin, a third of the widget's height above it,
    // but clear of the title-bar strip at the top of the screen.
    const int xL = std::max(rect.left() - m - w, a.left());
    int yL = rect.top() - m - h / 3;
    if (yL + h > a.bottom())
        yL = a.bottom() - h;
    yL = std::max(yL, a.top() + 26);

    const bool overlaps = xL < rect.right() + m && xL + w > rect.left() - m
                          && yL < rect.bottom() + m && yL + h > rect.top() - m;
    if (!overlaps)
        return QPoint(xL, yL);

    const int roomLeft = (rect.left() - m) - a.left();
    const int roomRight = a.right() - (rect.right() + m);
    const int roomBelow = a.bottom() - (rect.bottom() + m);
    const int roomAbove = (rect.top() - m) - a.top();

    if (w < roomLeft)
        return QPoint(rect.left() - m - w, yL);
    if (roomRight > w)
        return QPoint(rect.right() + m, yL);
    if (roomBelow > h)
        return QPoint(xL, rect.bottom() + m);
    if (h + 10 < roomAbove)
        return QPoint(xL, rect.top() - m - 10 - h);
    // Nothing fits cleanly: accept a partly off-screen spot if enough of it shows.
    if (roomRight >= 101)
        return QPoint(rect.right() + m, yL);
    if (roomBelow >= 6)
        return QPoint(xL, rect.bottom() + m);
    return std::nullopt;
}

FullscreenExit LeaveFullscreen(const QRect& frame, const QRect& geometry, const QRect& available)
{
    const int top = std::max(frame.top(), available.top());
    const int frameExtra = frame.height() - geometry.height();
    const int height = std::min(geometry.height() + (top - frame.top()),
                                available.height() - frameExtra);
    return FullscreenExit{QPoint(frame.left(), top), QSize(geometry.width(), height)};
}

} // namespace WindowPlacement
} // namespace UI
} // namespace Quill
