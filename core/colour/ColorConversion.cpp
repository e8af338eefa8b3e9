#include "ColorConversion.h"

#include <cmath>
#include <limits>

namespace Quill {
namespace Colour {

bool rgbToHsv(float r, float g, float b, float* h, float* s, float* v)
{
    // The value keeps the sign of the component of largest magnitude, so colours
    // below zero round-trip through HSV.
    float value;
    if (std::fabs(r) > std::fabs(g))
        value = std::fabs(r) > std::fabs(b) ? r : b;
    else
        value = std::fabs(g) > std::fabs(b) ? g : b;
    *v = value;
    *h = 0.0f;
    *s = 0.0f;
    if (std::isnan(r) || std::isnan(g) || std::isnan(b)) {
        *v = std::numeric_limits<float>::quiet_NaN();
        return false;
    }
    const float delta = std::fmax(r, std::fmax(g, b)) - std::fmin(r, std::fmin(g, b));
    if (delta == 0.0f || value == 0.0f || !std::isfinite(delta))
        return false;
    const float sd = value < 0.0f ? -delta : delta;
    *s = sd / value;
    float hue;
    if (r == value)
        hue = (g - b) / sd;
    else if (g == value)
        hue = (b - r) / sd + 2.0f;
    else
        hue = (r - g) / sd + 4.0f;
    if (hue < 0.0f)
        hue += 6.0f;
    hue /= 6.0f;
    // (g - b) / sd can reach -1 exactly at the red end, and rounding can leave 6/6.
    *h = hue < 1.0f ? hue : 0.0f;
    return true;
}

void hsvToRgb(float h, float s, float v, float* r, float* g, float* b)
{
    if (!std::isfinite(h)) {
        *r = *g = *b = std::numeric_limits<float>::quiet_NaN();
        return;
    }
    float turn = h - std::floor(h);
    // A tiny negative hue rounds up to a whole turn: that is red, sector 0.
    if (!(turn < 1.0f))
        turn = 0.0f;
    const float h6 = turn * 6.0f;
    int i = int(h6);
    if (i > 5)
        i = 5;
    float f = h6 - float(i);
    if (f > 1.0f)
        f = 1.0f;
    const float p = (1.0f - s) * v;
    const float q = (i & 1) ? (1.0f - f * s) * v : (1.0f - (1.0f - f) * s) * v;
    switch (i) {
    case 0: *r = v; *g = q; *b = p; break;
    case 1: *r = q; *g = v; *b = p; break;
    case 2: *r = p; *g = v; *b = q; break;
    case 3: *r = p; *g = q; *b = v; break;
    case 4: *r = q; *g = p; *b = v; break;
    default: *r = v; *g = p; *b = q; break;
    }
}

void hsvToHsl(float h, float s, float v, float* hOut, float* sOut, float* l)
{
    const float t = (2.0f - s) * v;
    *hOut = h;
    *sOut = t <= 1.0f ? s / (2.0f - s) : s * v / (2.0f - t);
    *l = t * 0.5f;
}

void hslToHsv(float h, float s, float l, float* hOut, float* sOut, float* v)
{
    *hOut = h;
    if (2.0f * l <= 1.0f) {
        *sOut = 2.0f * s / (s + 1.0f);
        *v = (s + 1.0f) * l;
    } else {
        *sOut = 2.0f / (1.0f / (s / l - s) + 1.0f);
        *v = (1.0f - l) * s + l;
    }
}

void rgbToHsl(float r, float g, float b, float* h, float* s, float* l)
{
    float hh, ss, vv;
    rgbToHsv(r, g, b, &hh, &ss, &vv);
    hsvToHsl(hh, ss, vv, h, s, l);
}

void hslToRgb(float h, float s, float l, float* r, float* g, float* b)
{
    float hh, ss, vv;
    hslToHsv(h, s, l, &hh, &ss, &vv);
    hsvToRgb(hh, ss, vv, r, g, b);
}

float intensityOf(float r, float g, float b)
{
    return (r + g + b) / 3.0f;
}

float magentaGreenOf(float r, float g, float b)
{
    return (r + b) * 0.5f - g;
}

float temperatureOf(float r, float b)
{
    return b - r;
}

void rgbToTmi(float r, float g, float b, float* t, float* m, float* i)
{
    *t = temperatureOf(r, b);
    *m = magentaGreenOf(r, g, b);
    *i = intensityOf(r, g, b);
}

void tmiToRgb(float t, float m, float i, float* r, float* g, float* b)
{
    if (t == 0.0f && m == 0.0f) {
        *r = *g = *b = i;
        return;
    }
    *g = (3.0f * i - 2.0f * m) / 3.0f;
    *r = (6.0f * i + 2.0f * m - 3.0f * t) / 6.0f;
    *b = *r + t;
}

void rgbToYCbCrVideo(float r, float g, float b, float* y, float* cb, float* cr)
{
    *y = 0.257f * r + 0.504f * g + 0.098f * b + 0.0627451f;
    *cb = 0.439f * b - (0.148f * r + 0.291f * g);
    *cr = 0.439f * r - 0.368f * g - 0.071f * b;
}

void rgbToYCbCrFull(float r, float g, float b, float* y, float* cb, float* cr)
{
    *y = 0.299f * r + 0.587f * g + 0.114f * b;
    *cb = 0.5f * b - (0.331264f * g + 0.168736f * r);
    *cr = 0.5f * r - 0.418688f * g - 0.081312f * b;
}

void yiqToRgb(float y, float i, float q, float* r, float* g, float* b)
{
    *r = y + 0.9563f * i + 0.621f * q;
    *g = y - 0.2721f * i - 0.6474f * q;
    *b = y - 1.107f * i + 1.7046f * q;
}

} // namespace Colour
} // namespace Quill
