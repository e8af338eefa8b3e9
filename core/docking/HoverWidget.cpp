#include "HoverWidget.h"
#include "Dock.h"
#include "DockGeometry_p.h"

#include <QPainter>

namespace Quill {
namespace UI {

HoverWidget::HoverWidget(Dock*)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Feedback only: it must take neither the activation, which would end the
    // drag, nor the mouse.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
}

void HoverWidget::setZone(int zone)
{
    if (m_zone == zone)
        return;
    m_zone = zone;
    update();
}

void HoverWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
    p.setBrush(Qt::NoBrush);
    const QRect r = rect().adjusted(1, 1, -1, -1);
    p.drawRect(DockGeometry::ZoneOutline(r, static_cast<DropZone>(m_zone)));
}

} // namespace UI
} // namespace Quill
