#include "VerticalLayout.h"

#include <QWidget>

#include <algorithm>
#include <climits>

namespace Quill {
namespace UI {

namespace {

// Sizes and positions are summed in 64 bits. Sizes are limited to the largest
// widget size; positions and extents to half the int range, so that QRect's own
// right = left + width - 1 cannot overflow either.
constexpr qint64 kCoordinateLimit = INT_MAX / 2;

int LimitSize(qint64 v)
{
    return int(std::min<qint64>(v, QWIDGETSIZE_MAX));
}

int LimitCoordinate(qint64 v)
{
    return int(std::clamp<qint64>(v, -kCoordinateLimit, kCoordinateLimit));
}

} // namespace

VerticalLayout::VerticalLayout(QWidget* parent, int margin, int spacing)
    : QLayout(parent)
{
    setContentsMargins(margin, margin, margin, margin);
    setSpacing(spacing);
}

VerticalLayout::VerticalLayout(int spacing)
    : QLayout()
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(spacing);
}

VerticalLayout::~VerticalLayout()
{
    qDeleteAll(m_items);
}

void VerticalLayout::addItem(QLayoutItem* item)
{
    insertItem(m_items.size(), item);
}

void VerticalLayout::insertItem(int index, QLayoutItem* item)
{
    // A null entry would read as the end of the list to Qt (itemAt), hiding the
    // items after it from the layout's bookkeeping.
    if (!item) {
        qWarning("Quill::UI::VerticalLayout: cannot add a null item");
        return;
    }
    m_items.insert(std::clamp(index, 0, int(m_items.size())), item);
    invalidate();
}

void VerticalLayout::insertWidget(int index, QWidget* widget)
{
    if (!widget) {
        qWarning("Quill::UI::VerticalLayout: cannot add a null widget");
        return;
    }
    addChildWidget(widget);
    insertItem(index, new QWidgetItem(widget));
}

int VerticalLayout::count() const
{
    return m_items.size();
}

QLayoutItem* VerticalLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

QLayoutItem* VerticalLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    QLayoutItem* item = m_items.takeAt(index);
    invalidate();
    return item;
}

Qt::Orientations VerticalLayout::expandingDirections() const
{
    return {};
}

QSize VerticalLayout::sizeHint() const
{
    return computeSize(SizeKind::Hint);
}

QSize VerticalLayout::minimumSize() const
{
    return computeSize(SizeKind::Minimum);
}

void VerticalLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    doLayout(rect);
}

void VerticalLayout::expandSpace(bool on)
{
    m_expandSpace = on;
}

QSize VerticalLayout::calculateSize(QLayoutItem* item)
{
    return item->sizeHint();
}

QSize VerticalLayout::computeSize(SizeKind kind) const
{
    const QMargins m = contentsMargins();
    const qint64 gap = spacing();
    qint64 width = 0;
    qint64 height = 0;
    for (QLayoutItem* item : m_items) {
        const QSize s = kind == SizeKind::Hint ? item->sizeHint() : item->minimumSize();
        width = std::max<qint64>(width, s.width());
        height += s.height();
        // Spacing follows every item once something has been stacked, the last included.
        if (height != 0)
            height += gap;
    }
    return QSize(LimitSize(qint64(m.left()) + width + m.right()),
                 LimitSize(qint64(m.top()) + height + m.bottom()));
}

void VerticalLayout::doLayout(const QRect& rect)
{
    const QMargins m = contentsMargins();
    const qint64 x = qint64(rect.left()) + m.left();
    qint64 y = qint64(rect.top()) + m.top();
    const qint64 width = qint64(rect.right()) - rect.left() + 1 - m.left() - m.right();
    if (m_expandSpace) {
        if (!m_items.isEmpty()) {
            const qint64 height = qint64(rect.bottom()) - rect.top() + 1 - m.top() - m.bottom();
            m_items.first()->setGeometry(QRect(LimitCoordinate(x), LimitCoordinate(y),
                                               LimitCoordinate(width), LimitCoordinate(height)));
        }
        return;
    }
    const qint64 gap = spacing();
    for (QLayoutItem* item : m_items) {
        const QSize size = calculateSize(item);
        item->setGeometry(QRect(LimitCoordinate(x), LimitCoordinate(y), LimitCoordinate(width),
                                LimitCoordinate(size.height())));
        y += qint64(size.height()) + gap;
    }
}

} // namespace UI
} // namespace Quill
