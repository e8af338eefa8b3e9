#include "YCbCrPresets.h"

namespace Quill {
namespace Colour {

namespace {

const char* const kNames[kYCbCrPresetCount] = {
    "Rec 709", "Rec 601", "Vellum Legacy", "Vellum Legacy MPEG", "Vellum Legacy YUVS",
};

const float kDecode[kYCbCrPresetCount][4] = {
    {1.5748f, -0.4681243f, -0.1873243f, 1.8556f},
    {1.402f, -0.7141363f, -0.3441363f, 1.772f},
    {1.5966f, -0.813202f, -0.391998f, 2.0184f},
    {1.5883f, -0.813202f, -0.391998f, 2.0457f},
    {1.596f, -0.81511f, -0.37294f, 2.0472f},
};

const float kEncode[kYCbCrPresetCount][10] = {
    {0.2126f, 0.7152f, 0.0722f, -0.1145721f, -0.3854279f, 0.5f, 0.5f, -0.4541529f, -0.04584709f, 0.0f},
    {0.299f, 0.587f, 0.114f, -0.1687359f, -0.3312641f, 0.5f, 0.5f, -0.4186876f, -0.08131241f, 0.0f},
    {0.2989844f, 0.5870109f, 0.1140047f, -0.1481294f, -0.2908298f, 0.4389592f, 0.4390678f, -0.3676631f,
     -0.07140467f, 0.0f},
    {0.3005345f, 0.5869868f, 0.1124787f, -0.1469103f, -0.2869369f, 0.4338472f, 0.4403863f, -0.3695693f,
     -0.07081703f, 0.0f},
    {0.3016854f, 0.5907053f, 0.1076092f, -0.1473649f, -0.2885431f, 0.4359079f, 0.4375405f, -0.3701161f,
     -0.06742434f, 0.0f},
};

int Index(int preset)
{
    return preset >= 0 && preset < kYCbCrPresetCount ? preset : 0;
}

} // namespace

const char* presetName(int preset)
{
    return kNames[Index(preset)];
}

const float* decodeCoefficients(int preset)
{
    return kDecode[Index(preset)];
}

const float* encodeMatrix(int preset)
{
    return kEncode[Index(preset)];
}

YCbCrRange quantisationRange(int bits)
{
    // The 10- and 16-bit ranges are the 8-bit ones scaled by 4 and 256.
    const float scale = bits == 10 ? 4.0f : bits == 16 ? 256.0f : 1.0f;
    return {16.0f * scale, 219.0f * scale, 128.0f * scale, 224.0f * scale};
}

} // namespace Colour
} // namespace Quill
