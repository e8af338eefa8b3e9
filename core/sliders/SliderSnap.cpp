#include "SliderSnap_p.h"

#include "Pow10_p.h"
#include "SliderScale_p.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace Quill {
namespace UI {

namespace {

// Thresholds of the 1-2-5 rule on the distance to the next power of ten, in units of
// log10: 1 - log10(2) is just above the first, 1 - log10(5) just below the second.
constexpr double kTwoThreshold = 0.69897;
constexpr double kFiveThreshold = 0.30103;

// Builds the step 10^c / factor as multiplier and divisor without ever forming an
// inexact decimal such as 0.01.
SliderSnap::Step MakeStep(int c, int factor)
{
    SliderSnap::Step step;
    step.multiplier = c > 0 ? Pow10(c) : 1.0;
    step.divisor = (c <= -1 ? Pow10(-c) : 1.0) * factor;
    return step;
}

// `value` limited to the scale's range; on an integer scale to the whole numbers
// inside it, unless the range holds none.
double ClampToRange(const SliderScale& scale, double value)
{
    double lo = scale.minimum();
    double hi = scale.maximum();
    if (scale.isInteger() && std::ceil(lo) <= std::floor(hi)) {
        lo = std::ceil(lo);
        hi = std::floor(hi);
    }
    if (value < lo)
        return lo;
    if (value > hi)
        return hi;
    return value;
}

} // namespace

SliderSnap::Step SliderSnap::StepFor(double worth, double noise)
{
    if (!(worth > kMinimumWorth && worth < kMaximumWorth))
        return Step();

    // Tolerance: the caller's noise bound, at least a few units in the last place and
    // never so wide that two candidates could both match.
    const double tolerance = std::min(std::max(noise, worth * 1e-12), worth * 1e-3);

    const int n = static_cast<int>(std::floor(std::log10(worth)));   // -10..9 here
    for (int e = n - 1; e <= n + 1; ++e) {
        const double p = Pow10(e);
        if (std::fabs(worth - p) <= tolerance)
            return MakeStep(e, 1);          // exactly a power of ten: that power
        if (std::fabs(worth - 2.0 * p) <= tolerance)
            return MakeStep(e + 1, 5);      // twice a power: 10^(e+1) / 5
        if (std::fabs(worth - 5.0 * p) <= tolerance)
            return MakeStep(e + 1, 1);      // five times a power: the next power
    }

    const double l = std::log10(worth);
    const int c = static_cast<int>(std::ceil(l));
    const double f = c - l;
    int factor = 1;
    if (f > kTwoThreshold)
        factor = 5;
    else if (f > kFiveThreshold)
        factor = 2;
    return MakeStep(c, factor);
}

double SliderSnap::Snap(double value, Step step)
{
    const double snapped =
        std::floor(step.divisor * value / step.multiplier + 0.5) * step.multiplier / step.divisor;
    return std::isfinite(snapped) ? snapped : value;
}

double SliderSnap::DragValue(const SliderScale& scale, qint64 offset, qint64 length)
{
    if (length == 0)
        return std::numeric_limits<double>::quiet_NaN();

    const double v = scale.positionToValue(double(offset) / double(length));
    // The worth of a pixel is measured before integer rounding: rounded values would
    // make it alternate (2, 3, 2, ... on 0..100 over 40 pixels), and the step with
    // it, so that a drag could step back.
    const SliderScale exact(scale.minimum(), scale.maximum(), false, scale.isNonLinear());
    const double here = exact.positionToValue(double(offset) / double(length));
    const double next = exact.positionToValue((double(offset) + 1.0) / double(length));
    const double worth = std::fabs(next - here);

    double snapped = v;
    if (scale.isInteger() && worth < 1.0) {
        snapped = Snap(v, Step());
    } else if (worth > kMinimumWorth && worth < kMaximumWorth) {
        // Both mapped values carry a few units of rounding each, relative to the
        // largest magnitude that went into them.
        const double magnitude = std::fabs(here) + std::fabs(next) + std::fabs(scale.minimum())
                                 + std::fabs(scale.maximum());
        const double noise = 16.0 * DBL_EPSILON * magnitude;
        snapped = Snap(v, StepFor(worth, std::isfinite(noise) ? noise : 0.0));
    }
    return ClampToRange(scale, snapped);
}

} // namespace UI
} // namespace Quill
