#include "ProgressWidgetLayout_p.h"

#include <QtGlobal>

namespace Quill {
namespace UI {
namespace ProgressWidgetLayout {

Geometry Compute(const Input& input)
{
    Geometry g;
    const int w = input.widget.width();
    const bool hasCancel = !input.cancel.isEmpty();
    const bool hasPause = !input.pause.isEmpty();

    if (hasCancel)
        g.cancel = QRect(QPoint(w - input.cancel.width() - 5, 6), input.cancel);
    if (hasPause) {
        const int y = hasCancel ? 6 + input.cancel.height() + 5 : 6;
        g.pause = QRect(QPoint(w - input.pause.width() - 5, y), input.pause);
    }
    int buttons = kNoButtonWidth;
    if (hasCancel || hasPause)
        buttons = qMax(hasCancel ? input.cancel.width() : 0, hasPause ? input.pause.width() : 0);
    g.bar = QRect(QPoint(w - input.bar.width() - buttons - 20, 6), input.bar);

    // The text keeps clear of the buttons and the bar. A child's texts start
    // further right; their right edge stays put, or they would run under the bar.
    QRect text(QPoint(0, 0), input.widget);
    if (input.child)
        text.setLeft(text.left() + kChildIndent);
    int reserved = kNoButtonWidth;
    if (hasCancel)
        reserved = input.cancel.width();
    else if (hasPause)
        reserved = input.pause.width();
    text.setRight(text.right() - reserved - (input.bar.width() + 18));
    text.adjust(8, 6, 0, -7);
    g.text = text;
    return g;
}

} // namespace ProgressWidgetLayout
} // namespace UI
} // namespace Quill
