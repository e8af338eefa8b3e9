#include "LogSlider.h"

#include "LogSliderScale.h"

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
    m_minReal = LogSliderScale::Power10(minExp);
    m_maxReal = LogSliderScale::Power10(maxExp);
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
        const int extra = std::max(0, m_tickTextSize);
        if (orientation() == Qt::Horizontal)
            size.rheight() += extra;
        else
            size.rwidth() += extra;
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

int LogSlider::tickPosition(double value, int offset, int length)
{
    return scale().tickPosition(value, offset, length);
}

void LogSlider::preprocessTicks(bool* visible, int length, int distance)
{
    scale().preprocessTicks(visible, length, distance);
}

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
    // A vertical slider draws its labels turned by 90 degrees, in a coordinate
    // system whose x runs down the widget: work on the transposed rectangle.
    QRect r = vertical ? QRect(rect.top(), rect.left(), rect.height(), rect.width()) : rect;
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
    bool ticks[10];
    preprocessTicks(ticks, length, 4);

    QPainter painter(this);
    QFont font = this->font();
    font.setPixelSize(std::max(1, m_tickTextSize));
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics metrics(font);
    const QLocale loc = locale();
    auto labelOf = [&](double v) { return loc.toString(v, 'g', 6); };
    const int maxWidth = metrics.horizontalAdvance(labelOf(m_maxReal));
    const int end = start + length;

    for (int e = m_minExp; e < m_maxExp; ++e) {
        const bool lastDecade = e == m_maxExp - 1;
        const double decade = LogSliderScale::Power10(e);
        bool labels[10];
        preprocessTicks(labels, length, 3 * (metrics.horizontalAdvance(labelOf(decade)) + 2));

        for (int k = 1; k <= 10; ++k) {
            // 10 times this decade is 1 times the next: draw it there, once, so the
            // label is not drawn both right- and left-aligned.
            if (k == 10 && !lastDecade)
                continue;
            const double value = k * decade;
            const int pos = tickPosition(value, start, length);
            const bool power = k == 1 || k == 10;
            QString text = labels[k - 1] ? labelOf(value) : QString();
            painter.setPen(power ? m_expTickColor : m_tickColor);
            if (lastDecade && k != 10 && !text.isEmpty()) {
                // Keep clear of the maximum's label at the far end (this decade's
                // power of ten too: "1,000" must not run into "10,000").
                const int width = metrics.horizontalAdvance(text);
                const bool clear = horizontal ? width + pos < end - maxWidth : pos - width > end + maxWidth;
                if (!clear)
                    text.clear();
            }
            if (ticks[k - 1] && !checkTick(handle, pos))
                drawTick(painter, groove, pos, !text.isEmpty());
            if (!text.isEmpty())
                drawText(painter, rect(), pos, text, k != 10);
        }
    }
}

} // namespace UI
} // namespace Quill
