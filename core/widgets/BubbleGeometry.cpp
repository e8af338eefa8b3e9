#include "BubbleGeometry_p.h"

#include <algorithm>

namespace Quill {
namespace UI {
namespace BubbleGeometry {

Qt::Alignment PinSide(Qt::Alignment alignment)
{
    for (Qt::AlignmentFlag side : {Qt::AlignTop, Qt::AlignBottom, Qt::AlignLeft, Qt::AlignRight}) {
        if (alignment & side)
            return side;
    }
    return {};
}

QMargins PinMargins(Qt::Alignment side, int margin, int pinHeight)
{
    QMargins m(margin, margin, margin, margin);
    const int pinned = margin + pinHeight;
    switch (int(PinSide(side))) {
    case Qt::AlignTop: m.setTop(pinned); break;
    case Qt::AlignBottom: m.setBottom(pinned); break;
    case Qt::AlignLeft: m.setLeft(pinned); break;
    case Qt::AlignRight: m.setRight(pinned); break;
    default: break;
    }
    return m;
}

QSize SizeWithPin(QSize body, Qt::Alignment side, int pinHeight)
{
    const QMargins extra = PinMargins(side, 0, pinHeight);
    return body + QSize(extra.left() + extra.right(), extra.top() + extra.bottom());
}

namespace {

Qt::Alignment Opposite(Qt::Alignment side)
{
    switch (int(side)) {
    case Qt::AlignTop: return Qt::AlignBottom;
    case Qt::AlignBottom: return Qt::AlignTop;
    case Qt::AlignLeft: return Qt::AlignRight;
    case Qt::AlignRight: return Qt::AlignLeft;
    default: return {};
    }
}

// Whether a bubble with its pin on `side` has room beside `target`. Sums in 64 bits:
// targets may lie anywhere on a virtual desktop.
bool Fits(Qt::Alignment side, const QRect& target, const QRect& avail, QSize body, int pinHeight)
{
    const QSize s = SizeWithPin(body, side, pinHeight);
    switch (int(side)) {
    case Qt::AlignRight: return qint64(target.left()) - avail.left() >= s.width();
    case Qt::AlignLeft: return qint64(avail.right()) - target.right() >= s.width();
    case Qt::AlignBottom: return qint64(target.top()) - avail.top() >= s.height();
    case Qt::AlignTop: return qint64(avail.bottom()) - target.bottom() >= s.height();
    default: return false;
    }
}

Qt::Alignment ChooseSide(Qt::Alignment current, const QRect& target, const QRect& avail, QSize body,
                         int pinHeight)
{
    const Qt::Alignment side = PinSide(current);
    if (side && Fits(side, target, avail, body, pinHeight))
        return side;
    if (side && Fits(Opposite(side), target, avail, body, pinHeight))
        return Opposite(side);
    for (Qt::AlignmentFlag s : {Qt::AlignTop, Qt::AlignBottom, Qt::AlignLeft, Qt::AlignRight}) {
        if (Fits(s, target, avail, body, pinHeight))
            return s;
    }
    return {};
}

int Clamp(int v, int low, int length, int size)
{
    // The maximum first, so that the far limit wins when the area is too small.
    return std::min(std::max(v, low), low + length - size);
}

} // namespace

Placement Place(const QRect& target, const QRect& available, Qt::Alignment current, QSize body,
                int pinHeight)
{
    Placement p;
    p.side = ChooseSide(current, target, available, body, pinHeight);
    p.size = SizeWithPin(body, p.side, pinHeight);
    const int w = p.size.width();
    const int h = p.size.height();
    const QPoint c((target.left() + target.right()) / 2, (target.top() + target.bottom()) / 2);
    QPoint desired = c;
    switch (int(p.side)) {
    case Qt::AlignTop: desired = QPoint(c.x() - w / 2, target.bottom()); break;
    case Qt::AlignBottom: desired = QPoint(c.x() - w / 2, target.top() - h); break;
    case Qt::AlignLeft: desired = QPoint(target.right(), c.y() - h / 2); break;
    case Qt::AlignRight: desired = QPoint(target.left() - w, c.y() - h / 2); break;
    default: break;
    }
    p.pos = QPoint(Clamp(desired.x(), available.left(), available.width(), w),
                   Clamp(desired.y(), available.top(), available.height(), h));
    const bool horizontalEdge = p.side & (Qt::AlignTop | Qt::AlignBottom);
    p.pinOffset = horizontalEdge ? desired.x() - p.pos.x() : desired.y() - p.pos.y();
    return p;
}

QPainterPath Outline(const QRect& rect, const Shape& shape)
{
    const Qt::Alignment side = PinSide(shape.side);
    QRect body(rect.topLeft() + QPoint(2, 2), rect.bottomRight() - QPoint(2, 2));
    switch (int(side)) {
    case Qt::AlignTop: body.setTop(body.top() + shape.pinHeight); break;
    case Qt::AlignBottom: body.setBottom(body.bottom() - shape.pinHeight); break;
    case Qt::AlignLeft: body.setLeft(body.left() + shape.pinHeight); break;
    case Qt::AlignRight: body.setRight(body.right() - shape.pinHeight); break;
    default: break;
    }
    const qreal x = body.x();
    const qreal y = body.y();
    const qreal W = body.width();
    const qreal H = body.height();
    const qreal half = shape.pinWidth / 2;
    const qreal r = shape.cornerRadius;

    // The pin keeps clear of the corners whatever the offset.
    const qreal along = (side & (Qt::AlignTop | Qt::AlignBottom)) ? W : H;
    qreal centre = shape.pinOffset + along * 0.5;
    centre = std::max(std::min(centre, along - half - r), r + half);
    const qreal p = centre - half;

    QPainterPath path;
    path.arcMoveTo(QRectF(x, y, r, r), 180);
    path.arcTo(QRectF(x, y, r, r), 180, -90);
    if (side == Qt::AlignTop) {
        path.lineTo(x + p, y);
        path.lineTo(x + p + half, y - half);
        path.lineTo(x + p + 2 * half, y);
    }
    path.arcTo(QRectF(x + W - r, y, r, r), 90, -90);
    if (side == Qt::AlignRight) {
        path.lineTo(x + W, y + p);
        path.lineTo(x + W + half, y + p + half);
        path.lineTo(x + W, y + p + 2 * half);
    }
    path.arcTo(QRectF(x + W - r, y + H - r, r, r), 0, -90);
    if (side == Qt::AlignBottom) {
        path.lineTo(x + p + 2 * half, y + H);
        path.lineTo(x + p + half, y + H + half);
        path.lineTo(x + p, y + H);
    }
    path.arcTo(QRectF(x, y + H - r, r, r), 270, -90);
    if (side == Qt::AlignLeft) {
        path.lineTo(x, y + p + 2 * half);
        path.lineTo(x - half, y + p + half);
        path.lineTo(x, y + p);
    }
    path.closeSubpath();
    return path;
}

} // namespace BubbleGeometry
} // namespace UI
} // namespace Quill
