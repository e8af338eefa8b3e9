#pragma once

#include <QuillCoreExport.h>

namespace Quill {
namespace UI {

// The mapping between a slider's values and fractions of its slot (0 at the slot
// start, which shows the minimum, 1 at the slot end, which shows the maximum).
//
// A linear scale maps values proportionally. A non-linear scale picks its curve
// from the range:
//   - both ends above zero: logarithmic;
//   - minimum 0: square root, p = sqrt(v / maximum);
//   - minimum below 0 and maximum above: two-sided square root, with zero at
//     sqrt(-minimum) / (sqrt(-minimum) + sqrt(maximum));
//   - maximum at or below zero: the mirror image of the positive range.
// An integer scale rounds every value half away from zero before mapping it and
// every value it returns.
//
// Non-finite input: valueToPosition() returns NaN for a NaN value unless clamping
// (which turns NaN into 0) and +/-infinity for an infinite one (clamped to 1 or
// 0); positionToValue() treats a NaN position as 0, i.e. returns the minimum.
// Ranges so wide that maximum - minimum overflows are mapped exactly as others.
// The class is a plain value: any thread may use its own copy.
class QUILL_CORE_AUTOTEST_EXPORT SliderScale
{
public:
    // `minimum` and `maximum` are expected finite with minimum <= maximum; they are
    // swapped when given the other way round.
    SliderScale(double minimum, double maximum, bool integer, bool nonLinear);

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    bool isInteger() const { return m_integer; }
    bool isNonLinear() const { return m_nonLinear; }
    // True when the maximum is at or below zero: the scale works on the negated
    // range and flips the fraction.
    bool isMirrored() const { return m_maximum <= 0.0; }

    // Fraction of the slot for `value`; outside 0..1 for values outside the range
    // unless `clamp` is set. A logarithmic scale puts every value at or below the
    // minimum at 0. Returns 0 when minimum == maximum.
    double valueToPosition(double value, bool clamp) const;
    // Inverse of valueToPosition(); positions at or beyond the ends return the
    // minimum or maximum exactly.
    double positionToValue(double position) const;

    // Rounds half away from zero; non-finite values are returned unchanged.
    static double RoundHalfAway(double value);

private:
    double linearPosition(double x, double lo, double hi) const;
    double linearValue(double q, double lo, double hi) const;

    double m_minimum;
    double m_maximum;
    bool m_integer;
    bool m_nonLinear;
};

} // namespace UI
} // namespace Quill
