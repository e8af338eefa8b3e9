#include "HoverWidget.h"
#include "DockDragState.h"

#include <QPainter>

namespace Quill {
namespace UI {

HoverWidget::HoverWidget(Dock*)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void HoverWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
    p.setBrush(Qt::NoBrush);
    const QRect r = rect().adjusted(1, 1, -1, -1);
    p.drawRect(DockGeometry::zoneOutline(r, DockDragState::instance().zone));
}

} // namespace UI
} // namespace Quill
