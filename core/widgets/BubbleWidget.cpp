#include "BubbleWidget.h"

#include "BubbleGeometry_p.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace Quill {
namespace UI {

BubbleWidget::BubbleWidget(QWidget* parent)
    : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setPinAlignment(Qt::AlignBottom);
}

void BubbleWidget::popup(QPoint globalPoint)
{
    popup(QRect(globalPoint, QSize(0, 0)));
}

void BubbleWidget::popup(QWidget* target)
{
    if (!target) {
        qWarning("Quill::UI::BubbleWidget: no target to point at");
        return;
    }
    popup(QRect(target->mapToGlobal(QPoint(0, 0)), target->size()));
}

void BubbleWidget::popup(const QRect& globalTarget)
{
    const QPoint centre((globalTarget.left() + globalTarget.right()) / 2,
                        (globalTarget.top() + globalTarget.bottom()) / 2);
    QScreen* screen = QGuiApplication::screenAt(centre);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect();

    // Measure the body without any pin room, then let every candidate side add its
    // own: a side switch between horizontal and vertical changes the size.
    setContentsMargins(m_margin, m_margin, m_margin, m_margin);
    adjustSize();
    const BubbleGeometry::Placement place =
        BubbleGeometry::Place(globalTarget, avail, m_pinAlignment, size(), m_pinHeight);
    setPinAlignment(place.side);
    resize(place.size);
    m_pinOffset = place.pinOffset;
    move(place.pos);
    show();
    setFocus(Qt::OtherFocusReason);
}

void BubbleWidget::setPinAlignment(Qt::Alignment alignment)
{
    m_pinAlignment = BubbleGeometry::PinSide(alignment);
    setContentsMargins(BubbleGeometry::PinMargins(m_pinAlignment, m_margin, m_pinHeight));
}

QPainterPath BubbleWidget::bubblePath() const
{
    BubbleGeometry::Shape shape;
    shape.side = m_pinAlignment;
    shape.pinOffset = m_pinOffset;
    shape.pinWidth = m_pinWidth;
    shape.pinHeight = m_pinHeight;
    shape.cornerRadius = m_cornerRadius;
    return BubbleGeometry::Outline(rect(), shape);
}

void BubbleWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = palette().color(backgroundRole());
    fill.setAlphaF(0.9f);
    painter.setBrush(fill);
    painter.setPen(QPen(QBrush(palette().color(QPalette::Light)), m_borderWidth, Qt::SolidLine,
                        Qt::SquareCap, Qt::BevelJoin));
    painter.drawPath(bubblePath());
}

void BubbleWidget::resizeEvent(QResizeEvent*)
{
}

bool BubbleWidget::eventFilter(QObject*, QEvent*)
{
    return false;
}

void BubbleWidget::mousePressEvent(QMouseEvent* event)
{
    QDialog::mousePressEvent(event);
    if (m_movable)
        m_dragOffset = event->globalPos() - pos();
}

void BubbleWidget::mouseMoveEvent(QMouseEvent* event)
{
    QDialog::mouseMoveEvent(event);
    if (m_movable)
        move(event->globalPos() - m_dragOffset);
}

void BubbleWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QDialog::mouseReleaseEvent(event);
}

} // namespace UI
} // namespace Quill
