#pragma once

#include <QuillCoreExport.h>

#include <QRect>
#include <QSize>

namespace Quill {
namespace UI {

// Where a task widget (ProgressWidget) places its buttons, progress bar and
// texts, as a pure function of sizes, so that the geometry is checked without
// painting. Any thread.
namespace ProgressWidgetLayout {

// Room kept for the buttons when the task has none.
constexpr int kNoButtonWidth = 75;
// How far a child task's texts are indented.
constexpr int kChildIndent = 24;

struct Input {
    QSize widget;        // the widget's size
    QSize cancel;        // the Cancel button's size hint; empty: no button
    QSize pause;         // the Pause button's size hint; empty: no button
    QSize bar;           // the progress bar's size
    bool child = false;  // the task has a parent task
};

struct Geometry {
    QRect cancel;        // null without a Cancel button
    QRect pause;         // null without a Pause button
    QRect bar;
    QRect text;          // the area titles, messages and the status line share
};

QUILL_CORE_AUTOTEST_EXPORT Geometry Compute(const Input& input);

// The status line's baseline: one line height plus one line spacing of the
// small font below the title's baseline.
inline int StatusBaseline(int titleBaseline, int lineHeight, int lineSpacing)
{
    return titleBaseline + lineHeight + lineSpacing;
}

} // namespace ProgressWidgetLayout
} // namespace UI
} // namespace Quill
