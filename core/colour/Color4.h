#pragma once

#include <QuillCoreExport.h>

namespace Quill {
namespace Colour {

// A colour as four floats: red, green, blue and alpha (default opaque black).
// Components are not clamped: values below 0 and above 1 are meaningful (the colour
// wheel shows saturations and values above 1). HSV hue is a fraction of a turn in
// [0, 1), 0 red, 1/3 green, 2/3 blue. The temperature / magenta-green / intensity
// triple (T, M, I) is T = blue - red, M = (red + blue) / 2 - green,
// I = (red + green + blue) / 3. A plain value: pass and return it by copy.
class QUILL_CORE_EXPORT Color4
{
public:
    Color4() = default;
    Color4(float red, float green, float blue, float alpha);
    Color4(const Color4& other) = default;
    Color4& operator=(const Color4& other) = default;
    virtual ~Color4();

    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;

    // Null output pointers are skipped. Returns whether the colour has a hue (false
    // for greys, black and colours with a NaN component).
    bool getHSV(float* h, float* s, float* v) const;
    void setHSV(float h, float s, float v);   // alpha unchanged
    bool getHSL(float* h, float* s, float* l) const;
    void setHSL(float h, float s, float l);
    void getTMI(float* t, float* m, float* i) const;
    void setTMI(float t, float m, float i);
    void getRGBA(float* r, float* g, float* b, float* a) const;
    void setRGBA(float r, float g, float b, float a);
    void setRGB(float r, float g, float b);

    // Red in bits 24-31 down to alpha in bits 0-7; each component times 255,
    // truncated and clamped to 0..255 (NaN gives 0).
    unsigned int toPackedRGBA() const;
    // Red, green and blue (not alpha) into [0, 1]; NaN becomes 0.
    void clamp();
    void scale(float f, bool withAlpha);
    void offset(float f, bool withAlpha);
    // Red, green and blue move a fraction t towards other's; alpha unchanged.
    void lerpTowards(const Color4& other, float t);
    float minComponent() const;
    float maxComponent() const;
    // All four components are finite.
    bool isFinite() const;
};

QUILL_CORE_EXPORT float lerp(const float& a, const float& b, float t);

} // namespace Colour
} // namespace Quill
