#pragma once

#include <QuillCoreExport.h>

#include <QList>
#include <QSplitter>

namespace Quill {
namespace UI {

// Container of the docking tree: its children are Docks and nested DockSplitters.
// A nested splitter leaves the tree (and is deleted later) as soon as its last
// child goes; a window's root splitter always stays. GUI thread only.
class QUILL_CORE_EXPORT DockSplitter : public QSplitter
{
public:
    explicit DockSplitter(Qt::Orientation orientation = Qt::Vertical);

    // Removes this splitter from the tree when it has no children left, unless it
    // is the root of its window or is in no tree at all. The removed splitter is
    // hidden, detached, closed and deleted once control returns to the event loop.
    void updateDocks();

    // index >= 0: remember the current sizes and give child `index` all the room.
    // index == -1: restore the remembered sizes. When the expanded child leaves
    // (closed, deleted or moved), the remembered sizes of the others come back,
    // here and in the splitters above that were expanded to this one.
    void expand(int index);
    bool isExpanded() const { return !m_savedSizes.isEmpty(); }

    // The sizes a layout should record: the remembered ones while a child is
    // expanded, the live ones otherwise.
    QList<int> realSizes() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* e) override;

private:
    friend class Dock;   // reports its own hint changes through invalidateHints()

    void expandedChildLeft(int index);
    // Drops the cached hints of this splitter and of every splitter around it.
    void invalidateHints();
    void checkHintOrientation() const;

    QList<int> m_savedSizes;
    // The child given all the room, compared by address only: it may be gone.
    QWidget* m_expandedChild = nullptr;
    // QSplitter asks each child for its hints several times whenever it lays out,
    // and a nested splitter asks its children in turn: uncached, every level of a
    // deep tree would walk its whole subtree again.
    mutable QSize m_sizeHint;
    mutable QSize m_minimumSizeHint;
    mutable Qt::Orientation m_hintOrientation = Qt::Vertical;
};

} // namespace UI
} // namespace Quill
