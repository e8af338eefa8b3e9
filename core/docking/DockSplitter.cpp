#include "DockSplitter.h"
#include "DockGeometry.h"

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
        setSizes(m_savedSizes);
        m_savedSizes.clear();
        return;
    }
    m_savedSizes = sizes();
    setSizes(DockGeometry::expandedSizes(count(), index));
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
    if (e->type() == QEvent::LayoutRequest || e->type() == QEvent::ChildRemoved)
        updateDocks();
    return QSplitter::event(e);
}

} // namespace UI
} // namespace Quill
