#include "DockPlaceHolder.h"

#include <QPainter>

namespace Quill {
namespace UI {

DockPlaceHolder::DockPlaceHolder(QWidget* parent)
    : QWidget(parent)
{
    // Nobody else owns a stand-in: it goes with its dock instead of surviving it
    // detached, as host pages do.
    setAttribute(Qt::WA_DeleteOnClose);
}

void DockPlaceHolder::paintEvent(QPaintEvent* e)
{
    const QString title = windowTitle();
    if (title.isEmpty()) {
        QWidget::paintEvent(e);
        return;
    }
    QPainter p(this);
    QFont f = p.font();
    f.setPixelSize(25);
    p.setFont(f);
    p.setPen(Qt::gray);
    p.drawText(rect(), Qt::AlignCenter, title);
}

} // namespace UI
} // namespace Quill
