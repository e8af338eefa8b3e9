#pragma once

#include <QuillCoreExport.h>

#include <QtGlobal>

namespace Quill {
namespace UI {

class SliderScale;

// The rounding a slider applies while it is dragged: the value under the pointer is
// snapped to the smallest of 1, 2 or 5 times a power of ten that is not below the
// value worth of one pixel (a worth of exactly 5 times a power of ten steps by 10
// times that power). So a 0..1 slider 300 pixels long moves in steps of 0.005,
// 100 pixels long in steps of 0.01, 40 pixels long in steps of 0.05.
//
// The worth of a pixel is the difference of two mapped values, taken before integer
// rounding, and carries floating-point noise; a worth within that noise of 1, 2 or 5
// times a power of ten is taken as exactly that, so that every pixel of such a slot
// moves by the same step.
// Pure functions; any thread.
class QUILL_CORE_AUTOTEST_EXPORT SliderSnap
{
public:
    // A step expressed as multiplier / divisor, both whole powers of ten times
    // 1, 2 or 5, so that snapping divides by an exact number (0.01 is 1 / 100).
    struct Step {
        double multiplier = 1.0;
        double divisor = 1.0;
        double value() const { return multiplier / divisor; }
    };

    // Snapping is done only for a pixel worth strictly between these (integer
    // sliders always snap, to at least 1).
    static constexpr double kMinimumWorth = 1e-9;
    static constexpr double kMaximumWorth = 1e9;

    // Step for one pixel worth `worth` (> 0), where `noise` bounds the absolute
    // error of `worth`. Worths outside the snapping bounds give a step of 1.
    static Step StepFor(double worth, double noise = 0.0);

    // `value` rounded to the nearest multiple of `step` (halves upwards); returns
    // `value` unchanged when the result would not be finite.
    static double Snap(double value, Step step);

    // The value a drag selects when the pointer is `offset` pixels from the slot
    // start of a slot `length` pixels long (negative for slots that run upwards),
    // or NaN when the slot is empty (length 0). The snapped value is kept inside
    // the range (on an integer scale inside its whole numbers, when it has any):
    // a step that does not divide the ends would otherwise snap past them.
    static double DragValue(const SliderScale& scale, qint64 offset, qint64 length);
};

} // namespace UI
} // namespace Quill
