#pragma once

#include <QuillCoreExport.h>

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace Quill {
namespace UI {

// Where SearchField puts its decorations, and the text margins that keep typed text
// clear of them. Pure functions of the sizes involved.
namespace SearchFieldLayout {

// `leftWidget`: the left widget's geometry, or an invalid rectangle without one.
QUILL_CORE_AUTOTEST_EXPORT QMargins TextMargins(const QRect& leftWidget, bool hasCancelButton);

struct QUILL_CORE_AUTOTEST_EXPORT Positions {
    QPoint leftWidget;
    QPoint prompt;
    QPoint cancelButton;
};

// Top-left positions inside a field whose rect() is `field`. An empty `leftWidget`
// size means there is no left widget; the prompt then starts at x 7.
QUILL_CORE_AUTOTEST_EXPORT Positions Place(const QRect& field, QSize leftWidget, QSize prompt,
                                           QSize cancelButton);

} // namespace SearchFieldLayout
} // namespace UI
} // namespace Quill
