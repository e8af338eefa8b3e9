#include "ColorComponents_p.h"

#include "ColorConversion.h"

#include <sliders/SliderScale_p.h>

#include <algorithm>
#include <cmath>

namespace Quill {
namespace UI {
namespace ColorComponents {

bool Value(const Colour::Color4& color, int component, double* value)
{
    float h, s, v, t, m, i;
    color.getHSV(&h, &s, &v);
    color.getTMI(&t, &m, &i);
    float result;
    switch (component) {
    case ColorUIConstants::kRed: result = color.red; break;
    case ColorUIConstants::kGreen: result = color.green; break;
    case ColorUIConstants::kBlue: result = color.blue; break;
    case ColorUIConstants::kHue: result = h; break;
    case ColorUIConstants::kSaturation: result = s; break;
    case ColorUIConstants::kValue: result = v; break;
    case ColorUIConstants::kTemperature: result = t; break;
    case ColorUIConstants::kMagentaGreen: result = m; break;
    case ColorUIConstants::kIntensity: result = i; break;
    case ColorUIConstants::kAlpha: result = color.alpha; break;
    default: return false;
    }
    if (!std::isfinite(result))
        return false;
    *value = double(result);
    return true;
}

namespace {

double Channel(float c)
{
    return c > 0.0f ? std::min(double(c), 1.0) : 0.0;   // NaN fails the test
}

} // namespace

QColor StopColor(int component, float v)
{
    float r = v, g = v, b = v;   // value, intensity, alpha: a grey ramp
    switch (component) {
    case ColorUIConstants::kRed: g = b = 0.0f; break;
    case ColorUIConstants::kGreen: r = b = 0.0f; break;
    case ColorUIConstants::kBlue: r = g = 0.0f; break;
    case ColorUIConstants::kHue: Colour::hsvToRgb(v, 1.0f, 1.0f, &r, &g, &b); break;
    case ColorUIConstants::kSaturation: r = g = b = 0.0f; break;
    case ColorUIConstants::kTemperature:
        // Intensity 0.5, magenta-green 0, temperature v.
        Colour::tmiToRgb(v, 0.0f, 0.5f, &r, &g, &b);
        break;
    case ColorUIConstants::kMagentaGreen:
        // Intensity 0.5, temperature 0, magenta-green v.
        Colour::tmiToRgb(0.0f, v, 0.5f, &r, &g, &b);
        break;
    default: break;
    }
    QColor c;
    c.setRgbF(Channel(r), Channel(g), Channel(b), 1.0);
    return c;
}

QGradientStops Stops(int component, const SliderScale& scale)
{
    QGradientStops stops;
    stops.reserve(6);
    for (int k = 0; k <= 5; ++k) {
        const double at = k / 5.0;
        stops.append({at, StopColor(component, float(scale.positionToValue(at)))});
    }
    return stops;
}

} // namespace ColorComponents
} // namespace UI
} // namespace Quill
