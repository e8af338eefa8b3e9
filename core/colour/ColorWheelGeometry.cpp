#include "ColorWheelGeometry_p.h"

#include "ColorConversion.h"

#include <QVector>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace Quill {
namespace UI {
namespace ColorWheelGeometry {

namespace {

constexpr float kTwoPi = 6.28318530717958647692f;

float Clamp(float v, float lo, float hi)
{
    return v > lo ? (v < hi ? v : hi) : lo;   // NaN gives lo
}

float RoundHalfAway(float v)
{
    return v < 0.0f ? -std::floor(-v + 0.5f) : std::floor(v + 0.5f);
}

quint32 Pixel(float r, float g, float b)
{
    auto byte = [](float c) { return quint32(Clamp(c, 0.0f, 1.0f) * 255.0f + 0.5f); };
    // Channels here are in [0, 1] already; Clamp also turns NaN into 0.
    return 0xff000000u | byte(r) << 16 | byte(g) << 8 | byte(b);
}

} // namespace

Geometry Compute(int width, int height, float zoom, float panX, float panY, int mode)
{
    Geometry g;
    g.width = float(width);
    g.height = float(height);
    g.outer = zoom * float(std::min(width, height) - 2) * 0.5f;
    g.radius = g.outer - 2.0f;
    if (mode == kWheelWithValueRing)
        g.radius -= 16.0f * zoom;
    g.inner = g.radius * (mode == kEmbedded ? 0.83f : mode == kWheelWithValueRing ? 1.0f : 0.9f);
    g.cx = g.width * 0.5f + panX * g.inner;
    g.cy = g.height * 0.5f + panY * g.inner;
    return g;
}

float WrapHue(float hue)
{
    if (!std::isfinite(hue))
        return 0.0f;
    const float t = hue - std::floor(hue);
    return t < 1.0f ? t : 0.0f;
}

float HueAt(float x, float y, float rotation)
{
    return WrapHue((std::atan2(y, x) - rotation) / kTwoPi);
}

QPointF MarkerAt(float hue, float saturation, float inner, float rotation)
{
    const float a = hue * kTwoPi + rotation;
    const float d = Clamp(saturation, 0.0f, 1.0f) * inner;
    return {d * std::cos(a), d * std::sin(a)};
}

unsigned DragMode(unsigned forced, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool outside,
                  bool zoomEnabled, int mode)
{
    const bool alt = modifiers & Qt::AltModifier;
    const bool control = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    if (button == Qt::RightButton)
        return kDragValue;
    if (zoomEnabled) {
        if (forced & kDragZoom)
            return kDragZoom;
        if (button == Qt::MiddleButton && alt)
            return kDragZoom;
        if ((forced & kDragBoxZoom) || button == Qt::MiddleButton)
            return kDragBoxZoom;
        if (alt)
            return kDragPan;
    }
    if (outside)
        return mode == kWheelWithValueRing ? kDragValue : kDragAbsolute | kDragHue;
    const unsigned abs = alt && mode == kEmbedded ? kDragAbsolute : 0u;
    if (control && !shift && mode != kWheelWithValueRing)
        return abs | kDragHue;
    if (control)
        return abs | kDragValue;
    if (shift)
        return abs | kDragSaturation;
    return abs | kDragHue | kDragSaturation;
}

float SquareHalf(float inner)
{
    return (inner - 2.0f) / std::sqrt(2.0f);
}

unsigned RingAndSquareDragMode(float x, float y, float radius, float inner, unsigned previous)
{
    const float d = std::hypot(x, y) / radius;
    if (!(d <= 1.0f))
        return 0;
    if (d >= 0.8f)
        return kDragHue;
    const float half = SquareHalf(inner);
    if (-half <= x && x <= half && -half <= y && y <= half)
        return kDragSaturation | kDragValue;
    return previous;
}

Hsv MoveColour(unsigned dragMode, float x, float y, float inner, float rotation, Hsv press, float anchorX)
{
    Hsv out = press;
    float s = std::hypot(x, y) / inner;
    if (dragMode == kDragSaturation) {
        // Saturation alone follows the pointer along the radius of the hue at the
        // press, as that radius is shown (rotation included).
        const float phi = press.hue * kTwoPi + rotation;
        s = std::max(0.0f, (x * std::cos(phi) + y * std::sin(phi)) / inner);
    }
    if (dragMode & kDragHue)
        out.hue = HueAt(x, y, rotation);
    if (dragMode & kDragSaturation)
        out.saturation = std::min(s, 1.0f);
    if (dragMode & kDragValue)
        out.value = press.value + (x - anchorX) / 500.0f;   // 500 px per unit, unclamped
    return out;
}

float RingValue(float x, float y, float previous, bool move)
{
    float u = std::atan2(y, x) / kTwoPi;
    if (u < 0.0f)
        u += 1.0f;
    float v = 1.0f - (u + 0.25f);
    if (v < 0.0f)
        v += 1.0f;
    if (move) {
        if (previous > 0.9f && v < 0.1f)
            v = 1.0f;
        else if (previous < 0.1f && v > 0.9f)
            v = 0.0f;
    }
    return v;
}

Hsv SquareColour(float x, float y, float inner, Qt::KeyboardModifiers modifiers, Hsv current)
{
    const float side = 2.0f * SquareHalf(inner);
    const float s = Clamp(x / side + 0.5f, 0.0f, 1.0f);
    const float v = Clamp(y / side + 0.5f, 0.0f, 1.0f);
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    Hsv out = current;
    if (!(shift && !control))
        out.saturation = s;
    if (!control)
        out.value = v;
    return out;
}

float SnapZoom(float zoom, int steps, float delta)
{
    const float q = RoundHalfAway(float(steps) * std::log2(zoom));
    return std::exp2((q + delta) / float(steps));
}

QPointF PanKeeping(QPointF pixel, QPointF disc, float inner)
{
    return {Clamp(float(pixel.x() / inner - disc.x()), -kMaxPan, kMaxPan),
            Clamp(float(pixel.y() / inner - disc.y()), -kMaxPan, kMaxPan)};
}

float BoxZoomFactor(float diameter, float width, float height, float bw, float bh)
{
    if (bw <= 0.0f && bh <= 0.0f)
        return 1.0f;
    if (bw <= 0.0f)
        return diameter / bh;
    if (bh > 0.0f && height > 0.0f && width / height > bw / bh)
        return diameter / bh;
    return diameter / bw;
}

QImage BuildTexture()
{
    // One quadrant is computed; the other three mirror it. For pure hues
    // C(1 - h) is C(h) with green and blue swapped and C(h + 1/2) = 1 - C(h), and a
    // texel of saturation s is 1 - s + s C(h).
    QImage image(kTextureSize, kTextureSize, QImage::Format_ARGB32_Premultiplied);
    const int half = kTextureSize / 2;
    for (int qy = 0; qy < half; ++qy) {
        const float dy = float(qy) + 0.5f;
        auto* up = reinterpret_cast<quint32*>(image.scanLine(half + qy));
        auto* down = reinterpret_cast<quint32*>(image.scanLine(half - 1 - qy));
        for (int qx = 0; qx < half; ++qx) {
            const float dx = float(qx) + 0.5f;
            const float s = std::min(std::sqrt(dx * dx + dy * dy) / kTextureUnit, 1.0f);
            float r, g, b;
            Colour::hsvToRgb(std::atan2(dy, dx) / kTwoPi, 1.0f, 1.0f, &r, &g, &b);
            const float grey = 1.0f - s;
            const float pr = grey + s * r, pg = grey + s * g, pb = grey + s * b;
            const float nr = grey + s * (1.0f - r), ng = grey + s * (1.0f - g), nb = grey + s * (1.0f - b);
            up[half + qx] = Pixel(pr, pg, pb);           // h
            up[half - 1 - qx] = Pixel(nr, nb, ng);       // 1/2 - h
            down[half - 1 - qx] = Pixel(nr, ng, nb);     // 1/2 + h
            down[half + qx] = Pixel(pr, pb, pg);         // 1 - h
        }
    }
    return image;
}

const QImage& SharedTexture()
{
    static const QImage texture = BuildTexture();
    return texture;
}

void FillSquare(QImage& image, float hue)
{
    // hsvToRgb(hue, s, v) is v * (1 - s + s * c) per channel, c the pure hue: the
    // column's colour at full value times the row's value, in 15-bit fixed point
    // (the product stays below 2^30; a channel is off by at most one step).
    float cr, cg, cb;
    Colour::hsvToRgb(WrapHue(hue), 1.0f, 1.0f, &cr, &cg, &cb);
    const int w = image.width();
    const int h = image.height();
    constexpr float kOne = 255.0f * 128.0f;
    QVector<quint32> columns(3 * w);
    for (int x = 0; x < w; ++x) {
        const float s = (float(x) + 0.5f) / float(w);
        columns[3 * x] = quint32((1.0f - s + s * cr) * kOne + 0.5f);
        columns[3 * x + 1] = quint32((1.0f - s + s * cg) * kOne + 0.5f);
        columns[3 * x + 2] = quint32((1.0f - s + s * cb) * kOne + 0.5f);
    }
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        const quint32 v = quint32((1.0f - (float(y) + 0.5f) / float(h)) * 32768.0f + 0.5f);
        const quint32* c = columns.constData();
        for (int x = 0; x < w; ++x, c += 3)
            line[x] = 0xff000000u | ((c[0] * v + (1u << 21)) >> 22) << 16 | ((c[1] * v + (1u << 21)) >> 22) << 8
                      | ((c[2] * v + (1u << 21)) >> 22);
    }
}

} // namespace ColorWheelGeometry
} // namespace UI
} // namespace Quill
