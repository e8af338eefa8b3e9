#pragma once

#include <QuillCoreExport.h>

#include <QPushButton>

namespace Quill {
namespace UI {

// Flat, square, icon-sized button of a dock's title bar (panel menu, float tab,
// close tab). Never takes the keyboard focus. GUI thread only.
class QUILL_CORE_EXPORT TitleBarButton : public QPushButton
{
public:
    explicit TitleBarButton(QWidget* parent = nullptr);

    // A square 4 pixels larger than the icon at the style's small-icon size.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Side of the square for an icon whose pixmap is `iconSize` (empty: no icon).
    static int sideForIcon(const QSize& iconSize);

protected:
    void enterEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;
};

} // namespace UI
} // namespace Quill
