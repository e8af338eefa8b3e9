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

bool DockSplitter::event(QEvent* e)
{
    if (e->type() == QEvent::LayoutRequest || e->type() == QEvent::ChildRemoved)
        updateDocks();
    return QSplitter::event(e);
}

} // namespace UI
} // namespace Quill
