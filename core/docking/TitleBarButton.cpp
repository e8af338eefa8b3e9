#include "TitleBarButton.h"

#include <QStyle>

#include <algorithm>

namespace Quill {
namespace UI {

TitleBarButton::TitleBarButton(QWidget* parent)
    : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed, QSizePolicy::DefaultType));
    setFlat(true);
}

int TitleBarButton::sideForIcon(const QSize& iconSize)
{
    return std::max(iconSize.width(), iconSize.height()) + 4;
}

QSize TitleBarButton::sizeHint() const
{
    ensurePolished();
    QSize iconSize(0, 0);
    if (!icon().isNull()) {
        const int extent = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
        // Logical size, so that high-DPI pixmaps do not inflate the button.
        iconSize = icon().actualSize(QSize(extent, extent), QIcon::Normal, QIcon::Off);
    }
    const int side = sideForIcon(iconSize);
    return QSize(side, side);
}

QSize TitleBarButton::minimumSizeHint() const
{
    return sizeHint();
}

void TitleBarButton::enterEvent(QEvent* e)
{
    if (isEnabled())
        update();
    QPushButton::enterEvent(e);
}

void TitleBarButton::leaveEvent(QEvent* e)
{
    if (isEnabled())
        update();
    QPushButton::leaveEvent(e);
}

} // namespace UI
} // namespace Quill
