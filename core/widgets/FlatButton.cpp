#include "FlatButton.h"

#include <QPainter>

namespace Quill {
namespace UI {

FlatButton::FlatButton(const QIcon& icon, QWidget* parent)
    : QAbstractButton(parent)
{
    setIcon(icon);
    // Hover changes the icon mode, so entering and leaving must repaint.
    setAttribute(Qt::WA_Hover);
}

QSize FlatButton::sizeHint() const
{
    return QSize(22, 22);
}

void FlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QIcon::Mode mode = !isEnabled() ? QIcon::Disabled
                             : testAttribute(Qt::WA_UnderMouse) ? QIcon::Active
                                                                : QIcon::Normal;
    icon().paint(&painter, rect(), Qt::AlignCenter, mode, isChecked() ? QIcon::On : QIcon::Off);
}

} // namespace UI
} // namespace Quill
