#include "Slider.h"

#include "SliderScale_p.h"
#include "SliderSnap_p.h"
#include "SliderTicks_p.h"

#include <QFontMetrics>
#include <QLine>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <utility>

namespace Quill {
namespace UI {

struct Slider::TickCache {
    struct Entry {
        bool valid = false;
        SliderScale scale{0.0, 0.0, false, false};
        QRect slot;
        Qt::Orientation orientation = Qt::Horizontal;
        int separation = 0;
        QVector<SliderTick> ticks;

        bool matches(const SliderScale& s, const QRect& r, Qt::Orientation o, int sep) const
        {
            return valid && scale.minimum() == s.minimum() && scale.maximum() == s.maximum()
                   && scale.isInteger() == s.isInteger() && scale.isNonLinear() == s.isNonLinear()
                   && slot == r && orientation == o && separation == sep;
        }
    };
    Entry entries[3];
};

Slider::Slider(ValueType type, SliderMode mode, Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent),
      m_value(type == kDouble ? 0.5 : 0.0),
      m_maximum(type == kDouble ? 1.0 : 100.0),
      m_step(type == kDouble ? 0.01 : 1.0),
      m_type(type),
      m_mode(mode),
      m_orientation(orientation),
      m_color(palette().color(QPalette::Light)),
      m_tickCache(std::make_unique<TickCache>())
{
    setOrientation(orientation);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setObjectName(QStringLiteral("Slider"));
}

Slider::~Slider() = default;

void Slider::setStep(double step)
{
    if (std::isfinite(step))
        m_step = step;
}

void Slider::setColor(const QColor& color)
{
    m_color = color;
    m_useGradient = false;
}

void Slider::setColor(const QGradient& gradient)
{
    m_gradient = gradient;
    m_useGradient = true;
}

QSize Slider::sizeHint() const
{
    return m_orientation == Qt::Horizontal ? QSize(30, 20) : QSize(20, 30);
}

void Slider::setOrientation(Qt::Orientation orientation)
{
    m_orientation = orientation;
    if (orientation == Qt::Horizontal) {
        setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Fixed);
        setMinimumWidth(30);
        setMinimumHeight(20);
    } else {
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::MinimumExpanding);
        setMinimumHeight(30);
        setMinimumWidth(20);
    }
}

void Slider::setValue(double value)
{
    if (!std::isfinite(value))
        return;
    if (m_type == kInt)
        value = SliderScale::RoundHalfAway(value);
    if (value == m_value)
        return;
    m_value = value;
    update();
}

void Slider::setMode(SliderMode mode)
{
    m_mode = mode;
    update();
}

void Slider::setType(ValueType type)
{
    m_type = type;
    update();
}

void Slider::setRange(double minimum, double maximum)
{
    if (!std::isfinite(minimum) || !std::isfinite(maximum))
        return;
    if (minimum > maximum)
        std::swap(minimum, maximum);
    m_minimum = minimum;
    m_maximum = maximum;
    update();
}

void Slider::setMinimum(double minimum)
{
    if (!std::isfinite(minimum))
        return;
    m_minimum = minimum;
    if (m_minimum > m_maximum)
        std::swap(m_minimum, m_maximum);
    update();
}

void Slider::setMaximum(double maximum)
{
    if (!std::isfinite(maximum))
        return;
    m_maximum = maximum;
    if (m_minimum > m_maximum)
        std::swap(m_minimum, m_maximum);
    update();
}

void Slider::setMinTickSeparation(int pixels)
{
    m_minTickSeparation = pixels;
    update();
}

bool Slider::isLog() const
{
    return m_mode == kLog && (m_minimum > 0.0 || m_maximum < 0.0);
}

SliderScale Slider::scale() const
{
    return SliderScale(m_minimum, m_maximum, m_type == kInt, m_mode == kLog);
}

double Slider::positionToValue(double position) const
{
    return scale().positionToValue(position);
}

double Slider::valueToPosition(double value, bool clamp) const
{
    return scale().valueToPosition(value, clamp);
}

int Slider::eventSlotSize(int& start, int& end, QPoint pos)
{
    slotSize(start, end);
    return m_orientation == Qt::Horizontal ? pos.x() : pos.y();
}

// --- geometry ------------------------------------------------------------------

void Slider::slotSize(int& start, int& end)
{
    const QRect r = rect();
    if (m_orientation == Qt::Horizontal) {
        start = r.left() + 2;
        end = r.right() - 2;
    } else {
        start = r.bottom() - 2;
        end = r.top() + 2;
    }
}

void Slider::figureThumbSlot(QRect& thumb)
{
    const QRect r = rect();
    int start = 0;
    int end = 0;
    slotSize(start, end);
    if (m_orientation == Qt::Horizontal) {
        const int top = r.height() / 3;
        thumb = QRect(QPoint(start, top), QPoint(end, top + r.bottom() / 2 - 1));
    } else {
        thumb = QRect(QPoint(r.right() / 2 - 2, end), QPoint(r.right() - 1, start));
    }
}

void Slider::figureTickSlots(QRect& ticks, QRect& labels)
{
    const QRect r = rect();
    int start = 0;
    int end = 0;
    slotSize(start, end);
    if (m_orientation == Qt::Horizontal) {
        ticks = QRect(QPoint(start, -1), QPoint(end, r.bottom() / 2 - 2));
        labels = QRect(QPoint(start, r.bottom() / 2 + 1), QPoint(end, r.bottom() + 1));
    } else {
        ticks = QRect(QPoint(r.right() / 2 + 2, end), QPoint(r.right(), start));
        labels = QRect(QPoint(r.left() + 1, r.top()), QPoint(ticks.left() - 3, r.bottom()));
    }
}

// --- painting ------------------------------------------------------------------

void Slider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBackground(painter);
    paintTicks(painter);
    paintThumb(painter);
}

void Slider::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
}

void Slider::paintBackground(QPainter& painter)
{
    QRect ticks;
    QRect labels;
    figureTickSlots(ticks, labels);
    const QPalette& pal = palette();

    painter.setPen(pal.color(QPalette::Shadow));
    QLine edges[2];
    QRect centre;
    if (m_orientation == Qt::Horizontal) {
        edges[0] = QLine(ticks.left(), ticks.bottom() + 1, ticks.right(), ticks.bottom() + 1);
        edges[1] = QLine(ticks.left(), ticks.bottom() + 3, ticks.right(), ticks.bottom() + 3);
        centre = QRect(QPoint(ticks.left(), ticks.bottom() + 2), QPoint(ticks.right(), ticks.bottom() + 2));
    } else {
        edges[0] = QLine(ticks.left() - 1, ticks.bottom(), ticks.left() - 1, ticks.top());
        edges[1] = QLine(ticks.left() - 3, ticks.bottom(), ticks.left() - 3, ticks.top());
        centre = QRect(QPoint(ticks.left() - 2, ticks.top()), QPoint(ticks.left() - 2, ticks.bottom()));
    }
    painter.drawLines(edges, 2);

    if (m_useGradient) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QBrush(m_gradient));
        painter.drawRects(&centre, 1);
    } else {
        painter.setPen(m_color);
        if (m_orientation == Qt::Horizontal)
            painter.drawLine(centre.left(), centre.top(), centre.right(), centre.top());
        else
            painter.drawLine(centre.left(), centre.bottom(), centre.left(), centre.top());
    }
}

void Slider::paintTick(QVector<QLine>& lines, const QRect& ticks, int position, int length)
{
    if (m_orientation == Qt::Horizontal)
        lines.append(QLine(position, ticks.bottom(), position, ticks.bottom() - length));
    else
        lines.append(QLine(ticks.left(), position, ticks.left() + length, position));
}

void Slider::paintLabel(QPainter& painter, const QRect* labels, int position, double value)
{
    if (!labels)
        return;
    QRect r = *labels;
    if (m_orientation == Qt::Vertical)
        r.setBottom(position);
    else
        r.setLeft(position);
    painter.drawText(r, Qt::AlignLeft | Qt::AlignBottom, QString::number(value, 'g', 6));
}

void Slider::drawTicks(QPainter& painter, const QRect& ticks, const QRect* labels, TickKind kind)
{
    const SliderScale s = scale();
    TickCache::Entry& cache = m_tickCache->entries[static_cast<int>(kind)];
    if (!cache.matches(s, ticks, m_orientation, m_minTickSeparation)) {
        const SliderTicks::Slot slot = SliderTicks::FromTickRect(ticks, m_orientation);
        switch (kind) {
        case TickKind::Linear:
            cache.ticks = SliderTicks::Linear(s, slot, m_minTickSeparation);
            break;
        case TickKind::Log:
            cache.ticks = SliderTicks::Log(s, slot, m_minTickSeparation, m_logTicks, m_logLabels);
            break;
        case TickKind::Square:
            cache.ticks = SliderTicks::Square(s, slot, m_minTickSeparation);
            break;
        }
        cache.valid = true;
        cache.scale = s;
        cache.slot = ticks;
        cache.orientation = m_orientation;
        cache.separation = m_minTickSeparation;
    }
    const QVector<SliderTick>& layout = cache.ticks;
    if (layout.isEmpty())
        return;
    const QPalette& pal = palette();
    QVector<QLine> lines;
    lines.reserve(layout.size());
    painter.setPen(pal.color(QPalette::Shadow));

    // Tick labels that would run into the minimum's or maximum's label are left out
    // (the tick stays): "-100" and "-90" side by side read as one number.
    const QFontMetrics metrics = painter.fontMetrics();
    auto textSize = [&](double v) {
        return QSize(metrics.horizontalAdvance(QString::number(v, 'g', 6)), metrics.height());
    };
    const QSize minimumSize = textSize(m_minimum);
    const QSize maximumSize = textSize(m_maximum);
    const bool vertical = m_orientation == Qt::Vertical;

    for (const SliderTick& tick : layout) {
        paintTick(lines, ticks, tick.pixel, tick.length);
        if (labels && tick.labelled
            && SliderTicks::LabelClearOfEnds(tick.pixel, textSize(tick.value), *labels, minimumSize,
                                             maximumSize, vertical))
            paintLabel(painter, labels, tick.pixel, tick.value);
    }
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawLines(lines);
}

void Slider::paintLinearTicks(QPainter& painter, const QRect& ticks, const QRect* labels)
{
    drawTicks(painter, ticks, labels, TickKind::Linear);
}

void Slider::paintLogTicks(QPainter& painter, const QRect& ticks, const QRect* labels)
{
    drawTicks(painter, ticks, labels, TickKind::Log);
}

void Slider::paintSquareTicks(QPainter& painter, const QRect& ticks, const QRect* labels)
{
    drawTicks(painter, ticks, labels, TickKind::Square);
}

void Slider::paintTicks(QPainter& painter)
{
    QRect ticks;
    QRect labels;
    figureTickSlots(ticks, labels);
    painter.save();

    const QPalette& pal = palette();
    painter.setPen(pal.color(QPalette::Mid));
    QLine stops[2];
    if (m_orientation == Qt::Horizontal) {
        stops[0] = QLine(ticks.left(), ticks.bottom(), ticks.left(), ticks.top());
        stops[1] = QLine(ticks.right(), ticks.bottom(), ticks.right(), ticks.top());
    } else {
        stops[0] = QLine(ticks.left(), ticks.top(), ticks.right(), ticks.top());
        stops[1] = QLine(ticks.left(), ticks.bottom(), ticks.right(), ticks.bottom());
    }
    painter.drawLines(stops, 2);

    QFont font = painter.font();
    font.setPointSize(6);
    painter.setFont(font);

    if (m_mode == kLinear)
        paintLinearTicks(painter, ticks, &labels);
    else if (m_minimum > 0.0)
        paintLogTicks(painter, ticks, &labels);
    else
        paintSquareTicks(painter, ticks, &labels);

    painter.setPen(pal.color(QPalette::Shadow));
    painter.drawText(labels, Qt::AlignLeft | Qt::AlignBottom, QString::number(m_minimum, 'g', 6));
    painter.drawText(labels,
                     m_orientation == Qt::Vertical ? Qt::AlignLeft | Qt::AlignTop
                                                   : Qt::AlignRight | Qt::AlignBottom,
                     QString::number(m_maximum, 'g', 6));
    painter.restore();
}

void Slider::paintThumb(QPainter& painter)
{
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(thumbColor());

    QRect slot;
    figureThumbSlot(slot);
    // Placed by the rule that places the ticks, so the thumb of a value is centred
    // on that value's tick: 4 pixels thick, from 2 before the value's pixel.
    const int pixel = SliderTicks::Place(scale(), SliderTicks::FromTickRect(slot, m_orientation), m_value);
    QRect thumb;
    if (m_orientation == Qt::Horizontal)
        thumb = QRect(QPoint(pixel - 2, slot.top()), QPoint(pixel + 1, slot.bottom()));
    else
        thumb = QRect(QPoint(slot.left(), pixel - 2), QPoint(slot.right(), pixel + 1));

    if (m_minimum <= m_value && m_value <= m_maximum) {
        painter.drawRects(&thumb, 1);
        return;
    }
    const bool below = m_value < m_minimum;
    const int direction = (m_orientation == Qt::Horizontal ? 0 : 2) + (below ? 0 : 1);
    paintOutOfRangeThumb(painter, thumb, direction);
}

void Slider::paintOutOfRangeThumb(QPainter& painter, const QRect& r, int direction) const
{
    const float midX = (r.left() + r.right()) / 2.0f;
    const float midY = (r.top() + r.bottom()) / 2.0f;
    QPointF points[3];
    switch (direction) {
    case 0:
        points[0] = QPointF(r.left(), midY);
        points[1] = QPointF(r.right() + 8, r.bottom());
        points[2] = QPointF(r.right() + 8, r.top());
        break;
    case 1:
        points[0] = QPointF(r.right(), midY);
        points[1] = QPointF(r.left() - 8, r.bottom());
        points[2] = QPointF(r.left() - 8, r.top());
        break;
    case 2:
        points[0] = QPointF(midX, r.bottom());
        points[1] = QPointF(r.left(), r.top() - 8);
        points[2] = QPointF(r.right(), r.top() - 8);
        break;
    case 3:
        points[0] = QPointF(midX, r.top());
        points[1] = QPointF(r.left(), r.bottom() + 8);
        points[2] = QPointF(r.right(), r.bottom() + 8);
        break;
    default:
        break;   // degenerate triangle at the origin
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.drawPolygon(points, 3);
    painter.restore();
}

QColor Slider::thumbColor()
{
    return isEnabled() ? QColor(98, 82, 39) : QColor(74, 71, 63);
}

// --- mouse ---------------------------------------------------------------------

void Slider::mousePressEvent(QMouseEvent* event)
{
    emit sliderPressed();
    mouseMoveEvent(event);
}

void Slider::mouseReleaseEvent(QMouseEvent*)
{
    emit sliderReleased();
}

void Slider::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton && event->type() == QEvent::MouseMove)
        return;
    int start = 0;
    int end = 0;
    const int pointer = eventSlotSize(start, end, event->pos());
    // In 64 bits: a pointer far outside the widget (a grab while the window is
    // dragged off-screen) must not overflow the offset.
    const double v = SliderSnap::DragValue(scale(), qint64(pointer) - start, qint64(end) - start);
    if (!std::isfinite(v) || v == m_value)
        return;
    m_value = v;
    emit valueChanged(v);
    emit sliderMoved(v);
    update();
}

} // namespace UI
} // namespace Quill
