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
    // index == -1: restore the remembered sizes.
    void expand(int index);

    // The sizes a layout should record: the remembered ones while a child is
    // expanded, the live ones otherwise.
    QList<int> realSizes() const;

protected:
    bool event(QEvent* e) override;

private:
    QList<int> m_savedSizes;
};

} // namespace UI
} // namespace Quill
