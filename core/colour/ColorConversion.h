#pragma once

#include <QuillCoreExport.h>

// Conversions between RGB and the other colour models the colour widgets use.
// Plain single-precision arithmetic: no state, no allocation, any thread. Every
// function writes all of its outputs.
namespace Quill {
namespace Colour {

// h, s, v of r, g, b. v is the component of largest magnitude, sign kept (ties go
// to the later component); s = (max - min) / v, negated range when v < 0. Returns
// false, with h = s = 0, when the colour has no hue (max == min, v == 0, or a NaN
// component, which gives v = NaN).
QUILL_CORE_EXPORT bool rgbToHsv(float r, float g, float b, float* h, float* s, float* v);
// Any finite hue wraps into one turn (-0.25 is 0.75, 1.25 is 0.25). A non-finite
// hue has no colour: all three outputs are NaN.
QUILL_CORE_EXPORT void hsvToRgb(float h, float s, float v, float* r, float* g, float* b);
QUILL_CORE_EXPORT void rgbToHsl(float r, float g, float b, float* h, float* s, float* l);
QUILL_CORE_EXPORT void hslToRgb(float h, float s, float l, float* r, float* g, float* b);
QUILL_CORE_EXPORT void hsvToHsl(float h, float s, float v, float* hOut, float* sOut, float* l);
QUILL_CORE_EXPORT void hslToHsv(float h, float s, float l, float* hOut, float* sOut, float* v);

QUILL_CORE_EXPORT float intensityOf(float r, float g, float b);
QUILL_CORE_EXPORT float magentaGreenOf(float r, float g, float b);
QUILL_CORE_EXPORT float temperatureOf(float r, float b);
QUILL_CORE_EXPORT void rgbToTmi(float r, float g, float b, float* t, float* m, float* i);
// The exact inverse of rgbToTmi (up to rounding).
QUILL_CORE_EXPORT void tmiToRgb(float t, float m, float i, float* r, float* g, float* b);

// Studio-swing (video) and full-range YCbCr; Cb and Cr centred on 0.
QUILL_CORE_EXPORT void rgbToYCbCrVideo(float r, float g, float b, float* y, float* cb, float* cr);
QUILL_CORE_EXPORT void rgbToYCbCrFull(float r, float g, float b, float* y, float* cb, float* cr);
QUILL_CORE_EXPORT void yiqToRgb(float y, float i, float q, float* r, float* g, float* b);

} // namespace Colour
} // namespace Quill
