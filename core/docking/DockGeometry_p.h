#pragma once

#include <QuillCoreExport.h>

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVector>
#include <Qt>

namespace Quill {
namespace UI {

// Edge zone of a dock under a dragged tab. None adds the tab to the dock; the
// others split the dock on that side.
enum class DropZone { None = 0, Left = 1, Right = 2, Top = 4, Bottom = 8 };

// Pure layout rules of the docking workspace. Nothing here touches a widget, so
// the rules are tested directly. Rectangles use Qt's inclusive edges
// (right() == left + width - 1). Any thread.
namespace DockGeometry {

// Height of a dock's title strip while its title is hidden.
constexpr int kHiddenTitleHeight = 3;
// Room kept at the left of a title bar for the panel-menu button.
constexpr int kMenuButtonReserve = 22;
// How long the mouse rests on a hidden title strip before the title shows.
constexpr int kRevealDelayMs = 200;
// Smallest size a floating window is given: a window of no size is never mapped
// by the window system, so it could not be seen, focused or closed.
constexpr int kMinFloatingWidth = 160;
constexpr int kMinFloatingHeight = 120;
// Value the expanded child of a splitter is given; QSplitter scales it to the
// whole extent because every other child gets 0.
constexpr int kExpandedSize = 100;

// Sizes of a splitter after the child at `index` was split in two along the
// splitter's direction: that entry is halved (integer division) and the half is
// inserted right after it. An index outside `sizes` returns `sizes` unchanged.
QUILL_CORE_AUTOTEST_EXPORT QList<int> SplitSizes(QList<int> sizes, int index);

// How a dock at `index` of a splitter with `sizes` (one per child) splits along
// `orientation`, the new dock going before or after it.
struct SplitPlan {
    // A splitter across the parent's direction with more than one child cannot
    // take the new dock beside this one: a new splitter of `orientation` takes
    // the dock's place and holds both, each given the whole extent.
    bool nest = false;
    // Index of the new dock: in the parent, or in the new splitter when nesting.
    int insertAt = 0;
    // The parent's sizes afterwards.
    QList<int> sizes;
};
QUILL_CORE_AUTOTEST_EXPORT SplitPlan PlanSplit(Qt::Orientation parentOrientation, const QList<int>& sizes,
                                               int index, Qt::Orientation orientation, bool before);

// Index of the dock that keyboard navigation moves to from `current`, `step`
// (+1 or -1) at a time through `eligible` (cyclically), skipping docks that are
// not eligible; `current` itself when it is the only one; -1 when none is or
// `current` is outside the list.
QUILL_CORE_AUTOTEST_EXPORT int NextDockIndex(const QVector<bool>& eligible, int current, int step);

// Sizes that give child `index` of `count` children the whole extent.
QUILL_CORE_AUTOTEST_EXPORT QList<int> ExpandedSizes(int count, int index);

// The tab-rectangle rule: the style's tab rectangle made at least one line of
// the tab bar's font tall (its top stays).
QUILL_CORE_AUTOTEST_EXPORT QRect TabRect(const QRect& styleRect, int lineSpacing);

// The insertion-index rule: -1 when no tab is under the point (`tabUnder` -1),
// else the tab's index, plus one when the point lies right of the tab's middle.
QUILL_CORE_AUTOTEST_EXPORT int InsertionIndex(int tabUnder, const QRect& tabRect, const QPoint& pos);

// The narrow-title rule: the close and float buttons are shown only when the
// dock is at least as wide as both buttons, their margins and the menu reserve.
QUILL_CORE_AUTOTEST_EXPORT bool TitleButtonsFit(int dockWidth, int closeWidth, int floatWidth, int margin, int menuReserve);

// Everything the dock's hand-made layout needs to know.
struct QUILL_CORE_AUTOTEST_EXPORT TitleMetrics {
    QSize dock;                    // the dock's size
    bool titleVisible = true;
    int margin = 0;                // QStyle::PM_DockWidgetTitleMargin
    bool hasMenuButton = false;
    bool hasButtons = false;       // close and float buttons exist (they come as a pair)
    QSize closeHint;
    QSize floatHint;
    int lineSpacing = 0;
    QSize tabBarHint;
    Qt::LayoutDirection direction = Qt::LeftToRight;
};

struct QUILL_CORE_AUTOTEST_EXPORT TitleLayout {
    QRect titleBar;
    QRect tabBar;                  // empty while the title is hidden
    QRect closeButton;             // empty when there is no button
    QRect floatButton;
    QRect stack;
    bool buttonsVisible = false;
};

// Places title bar, tab bar, close and float buttons and the page stack. The
// buttons sit at the right end, vertically centred, the tabs after the menu
// button's room at the left; both mirror for right-to-left layouts.
// Buttons that do not fit (the narrow-title rule) are hidden and leave their
// room to the tabs.
QUILL_CORE_AUTOTEST_EXPORT TitleLayout LayoutTitle(const TitleMetrics& m);

// Zone of a dock hit at `p` (in the coordinates of the dock's stack, whose
// rectangle is `stack`). The edge zones are min(dock extent / 3, 30) pixels deep;
// the nearest edge wins and ties go to the later of left, right, top, bottom.
QUILL_CORE_AUTOTEST_EXPORT DropZone ZoneAt(const QPoint& p, const QRect& stack, const QSize& dock);

// How far a tab may be dragged outside its title bar before it tears off.
constexpr int kTearOffMargin = 5;

// The arming rule: a press turns into a tab drag once the mouse has travelled
// (Manhattan length) at least twice the platform's start-drag distance.
QUILL_CORE_AUTOTEST_EXPORT bool ArmsDrag(const QPoint& travel, int startDragDistance);

// The region a dragged tab may move in without tearing off, in tab-bar
// coordinates: the title bar's rectangle (`titleBar`, in title-bar coordinates)
// mapped through the tab bar's position in it (`tabBarPos`), grown by the margin.
// Mapping the whole rectangle keeps the margin the same on every side.
QUILL_CORE_AUTOTEST_EXPORT QRect TearOffRect(const QRect& titleBar, const QPoint& tabBarPos);

// Where the tab being reordered belongs once its rectangle moved to `moved`: one
// place left when its left edge reached the previous tab's left edge, one place
// right when its right edge reached the next tab's right edge, else where it is.
// `previous` and `next` are ignored for the first and the last tab.
QUILL_CORE_AUTOTEST_EXPORT int ReorderIndex(int index, int count, const QRect& moved,
                                            const QRect& previous, const QRect& next);

// The dragged tab's rectangle as painted: moved to `left`, then kept inside a
// bar `barWidth` wide.
QUILL_CORE_AUTOTEST_EXPORT QRect DraggedTabRect(const QRect& tabRect, int left, int barWidth);

// Part of `rect` (already shrunk for the pen) that a drop into `zone` would give
// the dragged page: the matching half, or the whole rectangle for None.
QUILL_CORE_AUTOTEST_EXPORT QRect ZoneOutline(const QRect& rect, DropZone zone);

} // namespace DockGeometry
} // namespace UI
} // namespace Quill
