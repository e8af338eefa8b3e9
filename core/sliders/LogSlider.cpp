#include "LogSlider.h"

#include "LogSliderScale_p.h"
#include "Pow10_p.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace Quill {
namespace UI {

namespace {

// Powers of ten that are finite, normal doubles.
constexpr int kLowestExponent = -307;
constexpr int kHighestExponent = 308;

} // namespace

LogSlider::LogSlider(QWidget* parent)
    : QSlider(parent)
{
}

LogSlider::LogSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent)
{
}

LogSlider::~LogSlider() = default;

void LogSlider::setRealRange(int minExp, int maxExp, int precision)
{
    if (precision < 1)
        throw std::invalid_argument("precision argument should be > 0");
    if (minExp == maxExp)
        throw std::invalid_argument("minExp cannot be equal to maxExp");
    if (minExp > maxExp)
        std::swap(minExp, maxExp);
    if (minExp < kLowestExponent || maxExp > kHighestExponent)
        throw std::invalid_argument("exponent arguments should lie between -307 and 308");
    const long long low = static_cast<long long>(minExp) * precision;
    const long long high = static_cast<long long>(maxExp) * precision;
    if (low < INT_MIN || high > INT_MAX)
        throw std::invalid_argument("precision argument is too large for the exponent range");

    m_precision = precision;
    m_minExp = minExp;
    m_maxExp = maxExp;
    m_minReal = Pow10(minExp);
    m_maxReal = Pow10(maxExp);
    setMinimum(static_cast<int>(low));
    setMaximum(static_cast<int>(high));
}

void LogSlider::ensureRangeSet() const
{
    if (m_precision <= 0)
        throw std::logic_error("Call setRealRange method first");
}

double LogSlider::realValue() const
{
    ensureRangeSet();
    return calculateRealValue(value());
}

void LogSlider::setRealValue(double value)
{
    ensureRangeSet();
    if (std::isnan(value))
        return;
    setValue(calculateSliderValue(value));
}

LogSliderScale LogSlider::scale() const
{
    return LogSliderScale(m_minExp, m_maxExp, m_precision, minimum(), maximum());
}

double LogSlider::calculateRealValue(int position) const
{
    return scale().realValue(position);
}

int LogSlider::calculateSliderValue(double value) const
{
    return scale().sliderValue(value);
}

QSize LogSlider::sizeHint() const
{
    QSize size = QSlider::sizeHint();
    if (m_drawLogTicks) {
        // Summed in 64 bits and limited to the largest widget size, so that a huge
        // text size cannot overflow the hint.
        const qint64 extra = std::max(0, m_tickTextSize);
        int& side = orientation() == Qt::Horizontal ? size.rheight() : size.rwidth();
        side = int(std::min<qint64>(side + extra, QWIDGETSIZE_MAX));
    }
    return size;
}

QSize LogSlider::minimumSizeHint() const
{
    // QSlider derives its minimum from the (virtual) sizeHint(), which already
    // makes room for the labels; adding it here again would count it twice.
    return QSlider::minimumSizeHint();
}

// --- painting ------------------------------------------------------------------

bool LogSlider::checkTick(const QRect& rect, int pos)
{
    if (orientation() == Qt::Horizontal)
        return rect.contains(QPoint(pos, rect.center().y()));
    return rect.contains(QPoint(rect.center().x(), pos));
}

void LogSlider::drawTick(QPainter& painter, const QRect& groove, int pos, bool labelled)
{
    const int length = labelled ? 4 : 1;
    if (orientation() == Qt::Horizontal)
        painter.drawLine(pos, groove.top() - length, pos, groove.top());
    else
        painter.drawLine(groove.right(), pos, groove.right() + length, pos);
}

void LogSlider::drawText(QPainter& painter, const QRect& rect, int pos, const QString& text,
                         bool leftAligned)
{
    const bool vertical = orientation() == Qt::Vertical;
    // A vertical slider draws its labels turned by 90 degrees clockwise: x runs
    // down the widget, and the translation brings the rectangle's bottom, where
    // the text sits, back to the widget's left edge.
    QRect r = rect;
    if (vertical)
        leftAligned = !leftAligned;
    if (leftAligned)
        r.setLeft(pos);
    else
        r.setRight(pos);
    if (vertical) {
        painter.rotate(90);
        painter.translate(0, r.top() - r.bottom() - 1);
    }
    painter.drawText(r, leftAligned ? Qt::AlignLeft | Qt::AlignBottom : Qt::AlignRight | Qt::AlignBottom,
                     text);
    if (vertical)
        painter.resetTransform();
}

void LogSlider::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    // Without a real range there is nothing logarithmic to show.
    if (!m_drawLogTicks || m_precision <= 0)
        return;

    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);

    if (!m_expTickColor.isValid())
        m_expTickColor = option.palette.color(QPalette::Midlight).darker(170);
    if (!m_tickColor.isValid())
        m_tickColor = option.palette.color(QPalette::Midlight);

    const bool horizontal = orientation() == Qt::Horizontal;
    const int start = horizontal ? groove.left() : groove.bottom();
    const int length = horizontal ? groove.right() - groove.left() : groove.top() - groove.bottom();

    QPainter painter(this);
    QFont font = this->font();
    font.setPixelSize(std::clamp(m_tickTextSize, 1, QWIDGETSIZE_MAX));
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics metrics(font);
    const QLocale loc = locale();
    const QVector<LogSliderMark> marks = scale().marks(
        start, length, [&](double v) { return loc.toString(v, 'g', 6); },
        [&](const QString& s) { return metrics.horizontalAdvance(s); });

    for (const LogSliderMark& mark : marks) {
        painter.setPen(mark.power ? m_expTickColor : m_tickColor);
        // Ticks under the handle are left out.
        if (mark.ticked && !checkTick(handle, mark.pos))
            drawTick(painter, groove, mark.pos, !mark.label.isEmpty());
        if (!mark.label.isEmpty())
            drawText(painter, rect(), mark.pos, mark.label, mark.leftAligned);
    }
}

} // namespace UI
} // namespace Quill
