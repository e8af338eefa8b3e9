#include "DockSplitter.h"
#include "DockGeometry_p.h"

#include <QChildEvent>
#include <QEvent>

namespace Quill {
namespace UI {

DockSplitter::DockSplitter(Qt::Orientation orientation)
    : QSplitter(orientation)
{
}

void DockSplitter::updateDocks()
{
    if (count() > 0)
        return;
    // A splitter that is in no tree yet (being built) or any more has nothing to
    // leave; deleting it here would pull it from under whoever owns it.
    if (!parent() || parent() == window())
        return;
    hide();
    setParent(nullptr);
    close();
    // Removal happens from inside child-removal events, so the object may still be
    // on the call stack: delete it once control is back in the event loop.
    deleteLater();
}

void DockSplitter::expand(int index)
{
    if (index == -1) {
        if (!isExpanded())
            return;
        const QList<int> saved = m_savedSizes;
        m_savedSizes.clear();
        m_expandedChild = nullptr;
        setSizes(saved);
        return;
    }
    if (index < 0 || index >= count())
        return;
    if (!isExpanded())
        m_savedSizes = sizes();
    m_expandedChild = widget(index);
    setSizes(DockGeometry::ExpandedSizes(count(), index));
}

void DockSplitter::expandedChildLeft(int index)
{
    // The remembered sizes still hold an entry for the child that left.
    if (index >= 0 && index < m_savedSizes.size())
        m_savedSizes.removeAt(index);
    expand(-1);
    // The splitters above gave all their room to the branch holding this one.
    QWidget* child = this;
    for (QWidget* p = parentWidget(); p && !child->isWindow(); child = p, p = p->parentWidget()) {
        auto* splitter = dynamic_cast<DockSplitter*>(p);
        if (splitter && splitter->isExpanded() && splitter->m_expandedChild == child)
            splitter->expand(-1);
    }
}

QList<int> DockSplitter::realSizes() const
{
    return m_savedSizes.isEmpty() ? sizes() : m_savedSizes;
}

QSize DockSplitter::sizeHint() const
{
    checkHintOrientation();
    if (!m_sizeHint.isValid())
        m_sizeHint = QSplitter::sizeHint();
    return m_sizeHint;
}

QSize DockSplitter::minimumSizeHint() const
{
    checkHintOrientation();
    if (!m_minimumSizeHint.isValid())
        m_minimumSizeHint = QSplitter::minimumSizeHint();
    return m_minimumSizeHint;
}

void DockSplitter::checkHintOrientation() const
{
    // setOrientation is not virtual: the hints remember the orientation they were
    // taken in.
    if (m_hintOrientation != orientation()) {
        m_sizeHint = m_minimumSizeHint = QSize();
        m_hintOrientation = orientation();
    }
}

void DockSplitter::invalidateHints()
{
    // An enclosing splitter would hear of the change through LayoutRequest only once
    // the event loop runs, and only while it is shown; it may be asked before.
    for (QWidget* w = this; auto* splitter = dynamic_cast<DockSplitter*>(w);
         w = splitter->parentWidget())
        splitter->m_sizeHint = splitter->m_minimumSizeHint = QSize();
}

bool DockSplitter::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::LayoutRequest:   // a child's hint, visibility or constraints changed
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
    case QEvent::Show:            // children hidden meanwhile reported nothing
    case QEvent::Hide:
    case QEvent::StyleChange:     // handle width
        invalidateHints();
        break;
    default:
        break;
    }
    const bool expandedLeft = e->type() == QEvent::ChildRemoved && isExpanded()
        && static_cast<QChildEvent*>(e)->child() == m_expandedChild;
    // Its index before QSplitter drops it from its list (compared by address only).
    const int expandedIndex = expandedLeft ? indexOf(m_expandedChild) : -1;
    if (e->type() == QEvent::LayoutRequest || e->type() == QEvent::ChildRemoved)
        updateDocks();
    const bool result = QSplitter::event(e);
    if (expandedLeft)
        expandedChildLeft(expandedIndex);
    return result;
}

} // namespace UI
} // namespace Quill
