#include "LogSliderScale_p.h"

#include "Pow10_p.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace Quill {
namespace UI {

LogSliderScale::LogSliderScale(int minExp, int maxExp, int precision, int sliderMinimum,
                               int sliderMaximum)
    : m_minExp(minExp),
      m_maxExp(maxExp),
      m_precision(precision),
      m_sliderMinimum(sliderMinimum),
      m_sliderMaximum(sliderMaximum),
      m_minReal(precision > 0 ? Pow10(minExp) : 0.0),
      m_maxReal(precision > 0 ? Pow10(maxExp) : 0.0)
{
}

int LogSliderScale::Truncate(double x)
{
    if (std::isnan(x))
        return 0;
    const double whole = std::round(x);
    double t = std::fabs(x - whole) <= 1e-9 * std::max(1.0, std::fabs(x)) ? whole : std::trunc(x);
    if (t >= double(INT_MAX))
        return INT_MAX;
    if (t <= double(INT_MIN))
        return INT_MIN;
    return static_cast<int>(t);
}

double LogSliderScale::realValue(int position) const
{
    if (m_precision <= 0)
        return 0.0;
    return std::pow(10.0, double(position) / m_precision);
}

int LogSliderScale::sliderValue(double real) const
{
    if (m_precision <= 0)
        return m_sliderMinimum;
    const double clamped = std::isnan(real) ? m_minReal : std::min(std::max(real, m_minReal), m_maxReal);
    return Truncate(std::log10(clamped) * m_precision);
}

int LogSliderScale::tickPosition(double real, int offset, int length) const
{
    const double span = double(m_sliderMaximum) - double(m_sliderMinimum);
    if (m_precision <= 0 || span == 0.0)
        return offset;
    const int s = sliderValue(real);
    const double pixels = (double(s) - m_sliderMinimum) / span * length;
    // Limited so that a slider range changed behind our back cannot overflow.
    const double limited = std::min(std::max(pixels, -1e9), 1e9);
    return static_cast<int>(limited) + offset;
}

void LogSliderScale::preprocessTicks(bool visible[10], int length, int distance) const
{
    const double decade = Pow10(m_minExp);
    int pos[11];
    for (int k = 1; k <= 10; ++k)
        pos[k] = tickPosition(k * decade, 0, length);
    auto apart = [&](int a, int b) { return std::abs(pos[a] - pos[b]) > distance; };

    std::fill(visible, visible + 10, false);
    visible[0] = visible[9] = true;   // digits 1 and 10
    visible[4] = apart(1, 10);
    if (visible[4]) {
        visible[2] = apart(1, 5);
        visible[6] = apart(5, 10);
    }
    if (visible[2]) {
        visible[1] = apart(1, 3);
        visible[3] = apart(3, 5);
    }
    if (visible[6]) {
        visible[5] = apart(5, 7);
        visible[7] = apart(7, 10);
        if (visible[7])
            visible[8] = apart(8, 10);
    }
}

QVector<LogSliderMark> LogSliderScale::marks(int start, int length,
                                             const std::function<QString(double)>& text,
                                             const std::function<int(const QString&)>& width) const
{
    QVector<LogSliderMark> out;
    if (m_precision <= 0 || m_maxExp <= m_minExp)
        return out;
    bool ticks[10];
    preprocessTicks(ticks, length, 4);
    const int end = start + length;
    const int maxWidth = width(text(m_maxReal));

    for (int e = m_minExp; e < m_maxExp; ++e) {
        const bool lastDecade = e == m_maxExp - 1;
        const double decade = Pow10(e);
        bool labels[10];
        preprocessTicks(labels, length, 3 * (width(text(decade)) + 2));

        for (int k = 1; k <= 10; ++k) {
            if (k == 10 && !lastDecade)
                continue;   // drawn as 1 of the next decade
            LogSliderMark mark;
            mark.value = k * decade;
            mark.pos = tickPosition(mark.value, start, length);
            mark.power = k == 1 || k == 10;
            mark.ticked = ticks[k - 1];
            mark.leftAligned = k != 10;
            if (labels[k - 1])
                mark.label = text(mark.value);
            if (lastDecade && k != 10 && !mark.label.isEmpty()) {
                // Keep clear of the maximum's label at the far end.
                const int w = width(mark.label);
                const bool clear = length >= 0 ? mark.pos + w < end - maxWidth : mark.pos - w > end + maxWidth;
                if (!clear)
                    mark.label.clear();
            }
            out.append(mark);
        }
    }
    return out;
}

} // namespace UI
} // namespace Quill
