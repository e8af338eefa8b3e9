#pragma once

#include <QuillCoreExport.h>

#include <colour/Color4.h>
#include <colour/ColorUIConstants.h>

#include <QColor>
#include <QGradientStops>

namespace Quill {
namespace UI {

class SliderScale;

// The component slider rules as pure functions.
namespace ColorComponents {

// The component's value in `color` (hue, saturation and value from HSV; T, M and I
// from the temperature triple). False, leaving `value` alone, for a component
// outside 0..9 or a non-finite result.
QUILL_CORE_AUTOTEST_EXPORT bool Value(const Colour::Color4& color, int component, double* value);

// The opaque colour a component's gradient shows at component value v; channels
// clamped to [0, 1], NaN to 0.
QUILL_CORE_AUTOTEST_EXPORT QColor StopColor(int component, float v);

// Six stops at 0, 0.2 .. 1 of the slider's slot, each showing the value the scale
// puts there (so they follow non-linear scales and the range).
QUILL_CORE_AUTOTEST_EXPORT QGradientStops Stops(int component, const SliderScale& scale);

} // namespace ColorComponents
} // namespace UI
} // namespace Quill
