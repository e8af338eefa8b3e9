#pragma once

#include <QuillCoreExport.h>

#include <QRect>
#include <QSize>

namespace Quill {
namespace UI {

// Where a task widget (ProgressWidget) places its buttons, progress bar and
// texts, as pure functions of sizes, so that the geometry is checked without
// painting. Any thread.
class QUILL_CORE_EXPORT ProgressWidgetLayout
{
public:
    // Room kept for the buttons when the task has none.
    static constexpr int kNoButtonWidth = 75;
    // How far a child task's texts are indented.
    static constexpr int kChildIndent = 24;

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

    static Geometry compute(const Input& input);

    // The status line's baseline: one line height plus one line spacing of
    // the small font below the title's baseline.
    static int statusBaseline(int titleBaseline, int lineHeight, int lineSpacing)
    {
        return titleBaseline + lineHeight + lineSpacing;
    }
};

} // namespace UI
} // namespace Quill
