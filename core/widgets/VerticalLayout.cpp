#include "VerticalLayout.h"

#include <QWidget>

#include <algorithm>

namespace Quill {
namespace UI {

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
    // Every item is ours, including any after a null entry.
    while (!m_items.isEmpty())
        delete m_items.takeFirst();
}

void VerticalLayout::addItem(QLayoutItem* item)
{
    m_items.append(item);
    invalidate();
}

void VerticalLayout::insertItem(int index, QLayoutItem* item)
{
    m_items.insert(std::clamp(index, 0, int(m_items.size())), item);
    invalidate();
}

void VerticalLayout::insertWidget(int index, QWidget* widget)
{
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
    const int gap = spacing();
    int width = 0;
    int height = 0;
    for (QLayoutItem* item : m_items) {
        if (!item)
            continue;
        const QSize s = kind == SizeKind::Hint ? item->sizeHint() : item->minimumSize();
        width = std::max(width, s.width());
        height += s.height();
        // Spacing follows every item once something has been stacked, the last included.
        if (height != 0)
            height += gap;
    }
    return QSize(m.left() + width + m.right(), m.top() + height + m.bottom());
}

void VerticalLayout::doLayout(const QRect& rect)
{
    const QMargins m = contentsMargins();
    if (m_expandSpace) {
        if (!m_items.isEmpty() && m_items.first())
            m_items.first()->setGeometry(rect.marginsRemoved(m));
        return;
    }
    const int x = rect.x() + m.left();
    const int width = rect.width() - m.left() - m.right();
    const int gap = spacing();
    int y = rect.y() + m.top();
    for (QLayoutItem* item : m_items) {
        if (!item)
            continue;
        const QSize size = calculateSize(item);
        item->setGeometry(QRect(x, y, width, size.height()));
        y += size.height() + gap;
    }
}

} // namespace UI
} // namespace Quill
