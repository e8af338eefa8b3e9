#include "Color4.h"

#include "ColorConversion.h"
#include "TransformI.h"

#include <algorithm>
#include <cmath>

namespace Quill {
namespace Colour {

TransformI::~TransformI() = default;

namespace {

// The getters fill only the components asked for.
void Put(float* out, float value)
{
    if (out)
        *out = value;
}

} // namespace

Color4::Color4(float r, float g, float b, float a)
    : red(r), green(g), blue(b), alpha(a)
{
}

Color4::~Color4() = default;

bool Color4::getHSV(float* h, float* s, float* v) const
{
    float hh, ss, vv;
    const bool hasHue = rgbToHsv(red, green, blue, &hh, &ss, &vv);
    Put(h, hh);
    Put(s, ss);
    Put(v, vv);
    return hasHue;
}

void Color4::setHSV(float h, float s, float v)
{
    hsvToRgb(h, s, v, &red, &green, &blue);
}

bool Color4::getHSL(float* h, float* s, float* l) const
{
    float hh, ss, vv;
    const bool hasHue = getHSV(&hh, &ss, &vv);
    float ho, so, lo;
    hsvToHsl(hh, ss, vv, &ho, &so, &lo);
    Put(h, ho);
    Put(s, so);
    Put(l, lo);
    return hasHue;
}

void Color4::setHSL(float h, float s, float l)
{
    hslToRgb(h, s, l, &red, &green, &blue);
}

void Color4::getTMI(float* t, float* m, float* i) const
{
    if (t)
        *t = temperatureOf(red, blue);   // each measured only when asked for
    if (m)
        *m = magentaGreenOf(red, green, blue);
    if (i)
        *i = intensityOf(red, green, blue);
}

void Color4::setTMI(float t, float m, float i)
{
    tmiToRgb(t, m, i, &red, &green, &blue);
}

void Color4::getRGBA(float* r, float* g, float* b, float* a) const
{
    Put(r, red);
    Put(g, green);
    Put(b, blue);
    Put(a, alpha);
}

void Color4::setRGBA(float r, float g, float b, float a)
{
    red = r;
    green = g;
    blue = b;
    alpha = a;
}

void Color4::setRGB(float r, float g, float b)
{
    red = r;
    green = g;
    blue = b;
}

namespace {

// Clamped before the conversion: a float outside int's range (or NaN) converted to
// an integer is undefined behaviour.
unsigned int Byte(float c)
{
    const float scaled = c * 255.0f;
    if (!(scaled > 0.0f))
        return 0;
    return scaled >= 255.0f ? 255u : unsigned(scaled);
}

float Unit(float c)
{
    return c > 0.0f ? std::min(c, 1.0f) : 0.0f;   // NaN fails the test: 0
}

} // namespace

unsigned int Color4::toPackedRGBA() const
{
    return Byte(red) << 24 | Byte(green) << 16 | Byte(blue) << 8 | Byte(alpha);
}

void Color4::clamp()
{
    red = Unit(red);
    green = Unit(green);
    blue = Unit(blue);
}

void Color4::scale(float f, bool withAlpha)
{
    red *= f;
    green *= f;
    blue *= f;
    if (withAlpha)
        alpha *= f;
}

void Color4::offset(float f, bool withAlpha)
{
    red += f;
    green += f;
    blue += f;
    if (withAlpha)
        alpha += f;
}

void Color4::lerpTowards(const Color4& other, float t)
{
    red = lerp(red, other.red, t);
    green = lerp(green, other.green, t);
    blue = lerp(blue, other.blue, t);
}

float Color4::minComponent() const
{
    return std::min(red, std::min(green, blue));
}

float Color4::maxComponent() const
{
    return std::max(red, std::max(green, blue));
}

bool Color4::isFinite() const
{
    return std::isfinite(red) && std::isfinite(green) && std::isfinite(blue) && std::isfinite(alpha);
}

float lerp(const float& a, const float& b, float t)
{
    return (1.0f - t) * a + t * b;
}

} // namespace Colour
} // namespace Quill
