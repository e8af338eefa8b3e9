#include "SliderScale_p.h"

#include <cmath>
#include <utility>

namespace Quill {
namespace UI {

SliderScale::SliderScale(double minimum, double maximum, bool integer, bool nonLinear)
    : m_minimum(minimum), m_maximum(maximum), m_integer(integer), m_nonLinear(nonLinear)
{
    if (m_minimum > m_maximum)
        std::swap(m_minimum, m_maximum);
}

double SliderScale::RoundHalfAway(double value)
{
    // std::round rounds halves away from zero and leaves infinities and NaN alone;
    // no integer type is involved, so huge values are safe.
    return std::round(value);
}

// (x - lo) / (hi - lo), halving everything first when the width overflows so that
// ranges such as -1e308..1e308 still map proportionally.
double SliderScale::linearPosition(double x, double lo, double hi) const
{
    const double width = hi - lo;
    if (std::isfinite(width))
        return (x - lo) / width;
    return (x * 0.5 - lo * 0.5) / (hi * 0.5 - lo * 0.5);
}

double SliderScale::linearValue(double q, double lo, double hi) const
{
    const double width = hi - lo;
    if (std::isfinite(width))
        return width * q + lo;
    return (1.0 - q) * lo + q * hi;
}

double SliderScale::valueToPosition(double value, bool clamp) const
{
    if (m_maximum == m_minimum)
        return 0.0;

    const bool mirrored = isMirrored();
    double lo = m_minimum;
    double hi = m_maximum;
    double x = value;
    if (mirrored) {
        lo = -m_maximum;
        hi = -m_minimum;
        x = -value;
    }
    if (m_integer)
        x = RoundHalfAway(x);

    double p;
    if (!m_nonLinear) {
        p = linearPosition(x, lo, hi);
    } else if (lo > 0.0) {
        if (x <= lo)
            p = 0.0;
        else
            p = (std::log(x) - std::log(lo)) / (std::log(hi) - std::log(lo));
    } else if (lo < 0.0) {
        const double a = std::sqrt(-lo);
        const double b = std::sqrt(hi);
        if (x < 0.0)
            p = (1.0 - std::sqrt(x / lo)) * a / (a + b);
        else
            p = (std::sqrt(x / hi) * b + a) / (a + b);
    } else {
        p = x <= 0.0 ? 0.0 : std::sqrt(x / hi);
    }

    if (mirrored)
        p = 1.0 - p;
    if (clamp) {
        if (!(p > 0.0))
            p = 0.0;   // also catches NaN
        else if (!(p < 1.0))
            p = 1.0;
    }
    return p;
}

double SliderScale::positionToValue(double position) const
{
    if (!(position > 0.0))
        return m_minimum;   // also catches NaN
    if (position >= 1.0)
        return m_maximum;

    const bool mirrored = isMirrored();
    double lo = m_minimum;
    double hi = m_maximum;
    double q = position;
    if (mirrored) {
        lo = -m_maximum;
        hi = -m_minimum;
        q = 1.0 - position;
    }

    double v;
    if (!m_nonLinear) {
        v = linearValue(q, lo, hi);
    } else if (lo > 0.0) {
        const double lnLo = std::log(lo);
        v = std::exp((std::log(hi) - lnLo) * q + lnLo);
    } else if (lo < 0.0) {
        const double a = std::sqrt(-lo);
        const double b = std::sqrt(hi);
        if (a / (a + b) > q) {
            const double t = (a + b) * q / a;
            v = (1.0 - t) * (1.0 - t) * lo;
        } else {
            const double t = ((a + b) * q - a) / b;
            v = t * t * hi;
        }
    } else {
        v = q * q * hi;
    }

    if (m_integer)
        v = RoundHalfAway(v);
    return mirrored ? -v : v;
}

} // namespace UI
} // namespace Quill
