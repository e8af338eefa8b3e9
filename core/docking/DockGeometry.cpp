#include "DockGeometry_p.h"

#include <QStyle>

#include <algorithm>

namespace Quill {
namespace UI {
namespace DockGeometry {

QList<int> SplitSizes(QList<int> sizes, int index)
{
    if (index < 0 || index >= sizes.size())
        return sizes;
    const int half = sizes.at(index) / 2;
    sizes[index] = half;
    sizes.insert(index + 1, half);
    return sizes;
}

SplitPlan PlanSplit(Qt::Orientation parentOrientation, const QList<int>& sizes, int index,
                    Qt::Orientation orientation, bool before)
{
    SplitPlan plan;
    plan.nest = parentOrientation != orientation && sizes.size() > 1;
    if (plan.nest) {
        plan.insertAt = before ? 0 : 1;
        plan.sizes = sizes;
    } else {
        plan.insertAt = before ? index : index + 1;
        plan.sizes = SplitSizes(sizes, index);
    }
    return plan;
}

int NextDockIndex(const QVector<bool>& eligible, int current, int step)
{
    const int n = eligible.size();
    if (current < 0 || current >= n)
        return -1;
    int i = current;
    for (int k = 0; k < n; ++k) {
        i = ((i + step) % n + n) % n;
        if (eligible.at(i))
            return i;
    }
    return -1;
}

QList<int> ExpandedSizes(int count, int index)
{
    QList<int> sizes;
    sizes.reserve(std::max(count, 0));
    for (int i = 0; i < count; ++i)
        sizes.append(i == index ? kExpandedSize : 0);
    return sizes;
}

QRect TabRect(const QRect& styleRect, int lineSpacing)
{
    QRect r = styleRect;
    r.setHeight(std::max(styleRect.height(), lineSpacing));
    return r;
}

int InsertionIndex(int tabUnder, const QRect& tabRect, const QPoint& pos)
{
    if (tabUnder < 0)
        return -1;
    const int middle = (tabRect.left() + tabRect.right()) / 2;
    return pos.x() > middle ? tabUnder + 1 : tabUnder;
}

bool TitleButtonsFit(int dockWidth, int closeWidth, int floatWidth, int margin, int menuReserve)
{
    return dockWidth >= closeWidth + floatWidth + 2 * margin + menuReserve;
}

TitleLayout LayoutTitle(const TitleMetrics& m)
{
    TitleLayout out;
    const int width = m.dock.width();
    const int height = m.dock.height();

    if (!m.titleVisible) {
        out.titleBar = QRect(QPoint(0, 0), QPoint(width - 1, kHiddenTitleHeight - 1));
        out.stack = QRect(0, kHiddenTitleHeight, width, std::max(0, height - kHiddenTitleHeight));
        return out;
    }

    const int reserve = m.hasMenuButton ? kMenuButtonReserve : 0;
    const QSize closeHint = m.hasButtons ? m.closeHint : QSize(0, 0);
    const QSize floatHint = m.hasButtons ? m.floatHint : QSize(0, 0);
    const int h = std::max({closeHint.width(), closeHint.height(), floatHint.width(),
                            floatHint.height(), m.lineSpacing});
    const QRect provisional(QPoint(0, 0), QPoint(width - 1, h + 2 * m.margin + 1));

    // Buttons are centred on the whole title strip, which the tab bar may make
    // taller than the buttons need.
    const int titleHeight = std::max(provisional.height(), m.tabBarHint.height());
    int right = width - 1;
    if (m.hasButtons) {
        out.buttonsVisible = TitleButtonsFit(width, closeHint.width(), floatHint.width(),
                                             m.margin, reserve);
        if (out.buttonsVisible) {
            const QRect bounds(QPoint(0, 0), m.dock);
            const int centre = (titleHeight - 1) / 2;
            const QRect close(right - closeHint.width() - m.margin,
                              centre - closeHint.height() / 2, closeHint.width(), closeHint.height());
            out.closeButton = QStyle::visualRect(m.direction, bounds, close);
            right -= closeHint.width() + 1;
            const QRect flt(right - floatHint.width() - m.margin,
                            centre - floatHint.height() / 2, floatHint.width(), floatHint.height());
            out.floatButton = QStyle::visualRect(m.direction, bounds, flt);
            right -= floatHint.width() + 1;
        }
    }

    out.titleBar = QRect(0, 0, width, titleHeight);
    // Mirrored with the buttons (and the menu button the dock places), so that in a
    // right-to-left layout the tabs do not run over the buttons.
    out.tabBar = QStyle::visualRect(
        m.direction, QRect(QPoint(0, 0), m.dock),
        QRect(reserve, 0, std::max(0, std::min(m.tabBarHint.width(), right - reserve)), titleHeight));
    out.stack = QRect(0, titleHeight, width, std::max(0, height - titleHeight));
    return out;
}

DropZone ZoneAt(const QPoint& p, const QRect& r, const QSize& dock)
{
    const int mx = std::min(dock.width() / 3, 30);
    const int my = std::min(dock.height() / 3, 30);
    if (p.y() < r.top() || r.adjusted(mx, my, -mx, -my).contains(p))
        return DropZone::None;
    const int left = p.x() - r.left();
    const int right = r.right() - p.x();
    const int top = p.y() - r.top();
    const int bottom = r.bottom() - p.y();
    if (left < right && left < top && left < bottom)
        return DropZone::Left;
    if (right < top && right < bottom)
        return DropZone::Right;
    if (top < bottom)
        return DropZone::Top;
    return DropZone::Bottom;
}

bool ArmsDrag(const QPoint& travel, int startDragDistance)
{
    return travel.manhattanLength() >= 2 * startDragDistance;
}

QRect TearOffRect(const QRect& titleBar, const QPoint& tabBarPos)
{
    return titleBar.translated(-tabBarPos)
        .adjusted(-kTearOffMargin, -kTearOffMargin, kTearOffMargin, kTearOffMargin);
}

int ReorderIndex(int index, int count, const QRect& moved, const QRect& previous, const QRect& next)
{
    if (index > 0 && moved.left() <= previous.left())
        return index - 1;
    if (index < count - 1 && moved.right() >= next.right())
        return index + 1;
    return index;
}

QRect DraggedTabRect(const QRect& tabRect, int left, int barWidth)
{
    QRect r = tabRect;
    r.moveLeft(left);
    if (r.left() < 0)
        r.moveLeft(0);
    else if (r.right() > barWidth)
        r.moveRight(barWidth);
    return r;
}

QRect ZoneOutline(const QRect& rect, DropZone zone)
{
    QRect r = rect;
    const int midX = (r.left() + r.right()) / 2;
    const int midY = (r.top() + r.bottom()) / 2;
    switch (zone) {
    case DropZone::Left: r.setRight(midX); break;
    case DropZone::Right: r.setLeft(midX); break;
    case DropZone::Top: r.setBottom(midY); break;
    case DropZone::Bottom: r.setTop(midY); break;
    case DropZone::None: break;
    }
    return r;
}

} // namespace DockGeometry
} // namespace UI
} // namespace Quill
