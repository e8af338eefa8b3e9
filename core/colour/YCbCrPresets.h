#pragma once

#include <QuillCoreExport.h>

namespace Quill {
namespace Colour {

// The YCbCr matrix presets, indexed 0..4: "Rec 709", "Rec 601", "Vellum Legacy",
// "Vellum Legacy MPEG", "Vellum Legacy YUVS". Any other index gives "Rec 709".
enum { kYCbCrPresetCount = 5 };

// The preset's display name (not translated: it names a standard).
QUILL_CORE_EXPORT const char* presetName(int preset);
// Four decode coefficients c0..c3: r = Y + c0 Cr, g = Y + c1 Cr + c2 Cb, b = Y + c3 Cb.
QUILL_CORE_EXPORT const float* decodeCoefficients(int preset);
// RGB to YCbCr: rows Y, Cb, Cr; columns r, g, b; nine floats then one zero.
QUILL_CORE_EXPORT const float* encodeMatrix(int preset);

// Integer code ranges of quantised YCbCr samples.
struct YCbCrRange {
    float yOffset;
    float yRange;
    float chromaOffset;
    float chromaRange;
};
// For 8, 10 and 16 bits per sample; any other depth gives the 8-bit range.
QUILL_CORE_EXPORT YCbCrRange quantisationRange(int bits);

} // namespace Colour
} // namespace Quill
