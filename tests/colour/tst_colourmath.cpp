// Colour maths, YCbCr presets, and the colour wheel's and sliders' pure rules.
// Expected values are computed independently (by hand or with Python's colorsys).
#include <colour/Color4.h>
#include <colour/ColorConversion.h>
#include <colour/ColorUIConstants.h>
#include <colour/YCbCrPresets.h>
#include <colour/ColorComponents_p.h>
#include <colour/ColorWheelGeometry_p.h>
#include <sliders/SliderScale_p.h>

#include <QtTest>

#include <cmath>
#include <limits>

using namespace Quill::Colour;
using namespace Quill::UI;
namespace G = ColorWheelGeometry;
using V3 = QVector<float>;

namespace {

// QFETCH as an expression.
#define FETCH(Type, name) (*static_cast<Type*>(QTest::qData(#name, ::qMetaTypeId<Type>())))

const float kNaN = std::numeric_limits<float>::quiet_NaN();

bool Near(V3 a, V3 b, float eps = 2e-5f)
{
    for (int k = 0; k < a.size(); ++k)
        if (!(std::fabs(a[k] - b[k]) <= eps) && !(std::isnan(a[k]) && std::isnan(b[k])))
            return false;
    return true;
}

V3 Rgb(const QColor& c)
{
    return {float(c.redF()), float(c.greenF()), float(c.blueF())};
}

} // namespace

class TestColourMath : public QObject
{
    Q_OBJECT
private slots:
    void rgbToHsv_data()
    {
        QTest::addColumn<V3>("rgb");
        QTest::addColumn<V3>("hsv");
        QTest::addColumn<bool>("hasHue");
        QTest::newRow("grey") << V3{0.5f, 0.5f, 0.5f} << V3{0, 0, 0.5f} << false;
        QTest::newRow("black") << V3{0, 0, 0} << V3{0, 0, 0} << false;
        QTest::newRow("red") << V3{1, 0, 0} << V3{0, 1, 1} << true;
        QTest::newRow("blue") << V3{0, 0, 1} << V3{2 / 3.0f, 1, 1} << true;
        QTest::newRow("colorsys") << V3{0.2f, 0.4f, 0.9f} << V3{0.6190476f, 0.7777778f, 0.9f} << true;
        QTest::newRow("r=g tie") << V3{0.9f, 0.9f, 0.1f} << V3{1 / 6.0f, 0.8888889f, 0.9f} << true;
        QTest::newRow("g=b tie") << V3{0.3f, 0.6f, 0.6f} << V3{0.5f, 0.5f, 0.6f} << true;
        // |r| = |g|: the later component wins, sign and all.
        QTest::newRow("signed tie") << V3{1, -1, 0} << V3{2.5f / 6, 2, -1} << true;
        QTest::newRow("negative largest") << V3{-2, 1, 0} << V3{(6 - 1 / 3.0f) / 6, 1.5f, -2} << true;
        QTest::newRow("over one") << V3{2, 1, 1} << V3{0, 0.5f, 2} << true;
        QTest::newRow("nan") << V3{kNaN, 0.5f, 0} << V3{0, 0, kNaN} << false;
    }
    void rgbToHsv()
    {
        QFETCH(V3, rgb);
        QFETCH(V3, hsv);
        V3 out(3, -7.0f);
        QCOMPARE(Quill::Colour::rgbToHsv(rgb[0], rgb[1], rgb[2], &out[0], &out[1], &out[2]), FETCH(bool, hasHue));
        QVERIFY2(Near(out, hsv), qPrintable(QStringLiteral("%1 %2 %3").arg(out[0]).arg(out[1]).arg(out[2])));
        QVERIFY(out[0] >= 0 && out[0] < 1);
    }

    void hsvToRgb_data()
    {
        QTest::addColumn<V3>("hsv");
        QTest::addColumn<V3>("rgb");
        QTest::newRow("quarter") << V3{0.25f, 1, 1} << V3{0.5f, 1, 0};
        QTest::newRow("wraps up") << V3{1.25f, 1, 1} << V3{0.5f, 1, 0};
        QTest::newRow("negative") << V3{-0.25f, 1, 1} << V3{0.5f, 0, 1};
        QTest::newRow("colorsys") << V3{0.6f, 0.5f, 0.8f} << V3{0.4f, 0.56f, 0.8f};
        QTest::newRow("dark") << V3{0.1f, 0.2f, 0.3f} << V3{0.3f, 0.276f, 0.24f};
        QTest::newRow("end of turn") << V3{0.999f, 1, 1} << V3{1, 0, 0.006f};
        // h - floor(h) rounds to exactly 1: must still be red, and written.
        QTest::newRow("tiny negative") << V3{-1e-8f, 1, 1} << V3{1, 0, 0};
        QTest::newRow("whole turns") << V3{-3.0f, 0.5f, 2} << V3{2, 1, 1};
        QTest::newRow("nan hue") << V3{kNaN, 1, 1} << V3{kNaN, kNaN, kNaN};
    }
    void hsvToRgb()
    {
        QFETCH(V3, hsv);
        V3 out(3, -7.0f);
        Quill::Colour::hsvToRgb(hsv[0], hsv[1], hsv[2], &out[0], &out[1], &out[2]);
        QVERIFY2(Near(out, FETCH(V3, rgb), 1e-5f), qPrintable(QStringLiteral("%1 %2 %3").arg(out[0]).arg(out[1]).arg(out[2])));
    }

    // The other models, and every round trip through them over a grid with values
    // below 0 and above 1.
    void models()
    {
        V3 o(3);
        rgbToHsl(0.2f, 0.4f, 0.9f, &o[0], &o[1], &o[2]);
        QVERIFY(Near(o, {0.6190476f, 0.7777778f, 0.55f}));
        rgbToTmi(0.2f, 0.4f, 0.9f, &o[0], &o[1], &o[2]);
        QVERIFY(Near(o, {0.7f, 0.15f, 0.5f}));
        tmiToRgb(0, 0, 0.3f, &o[0], &o[1], &o[2]);
        QVERIFY(Near(o, {0.3f, 0.3f, 0.3f}));
        rgbToYCbCrFull(1, 1, 1, &o[0], &o[1], &o[2]);
        QVERIFY(Near(o, {1, 0, 0}, 1e-6f));
        rgbToYCbCrVideo(1, 0, 0, &o[0], &o[1], &o[2]);
        QVERIFY(Near(o, {0.257f + 16 / 255.0f, -0.148f, 0.439f}));
        // colorsys.rgb_to_yiq(0.2, 0.4, 0.9) back, through slightly different coefficients
        yiqToRgb(0.395f, -0.28065f, 0.11345f, &o[0], &o[1], &o[2]);
        QVERIFY(Near(o, {0.2f, 0.4f, 0.9f}, 4e-3f));

        const float grid[] = {-0.5f, 0.0f, 0.3f, 1.0f, 1.7f};
        for (float r : grid)
            for (float g : grid)
                for (float b : grid) {
                    V3 a(3), back(3);
                    Quill::Colour::rgbToHsv(r, g, b, &a[0], &a[1], &a[2]);
                    Quill::Colour::hsvToRgb(a[0], a[1], a[2], &back[0], &back[1], &back[2]);
                    QVERIFY2(Near(back, {r, g, b}, 1e-5f), qPrintable(QStringLiteral("hsv %1 %2 %3").arg(r).arg(g).arg(b)));
                    rgbToTmi(r, g, b, &a[0], &a[1], &a[2]);
                    tmiToRgb(a[0], a[1], a[2], &back[0], &back[1], &back[2]);
                    QVERIFY(Near(back, {r, g, b}, 1e-5f));
                    if (r < 0 || g < 0 || b < 0 || r > 1 || g > 1 || b > 1 || (r == g && g == b))
                        continue;   // HSL is defined for displayable colours
                    rgbToHsl(r, g, b, &a[0], &a[1], &a[2]);
                    hslToRgb(a[0], a[1], a[2], &back[0], &back[1], &back[2]);
                    QVERIFY2(Near(back, {r, g, b}, 1e-5f), qPrintable(QStringLiteral("hsl %1 %2 %3").arg(r).arg(g).arg(b)));
                }
    }

    void color4()
    {
        QCOMPARE(Color4(2, -1, 0.5f, 1).toPackedRGBA(), 0xff007fffu);
        QCOMPARE(Color4(kNaN, 1e30f, -1e30f, 0.999f).toPackedRGBA(), 0x00ff00feu);
        Color4 c(kNaN, 1.5f, -0.5f, 3);
        c.clamp();
        QVERIFY(Near({c.red, c.green, c.blue, c.alpha}, {0, 1, 0, 3}));
        c = Color4(0.2f, 0.4f, 0.6f, 0.5f);
        c.lerpTowards(Color4(1, 1, 1, 0), 0.5f);
        QVERIFY(Near({c.red, c.green, c.blue, c.alpha}, {0.6f, 0.7f, 0.8f, 0.5f}));
        c.setTMI(0.7f, 0.15f, 0.5f);
        QVERIFY(Near({c.red, c.green, c.blue, c.alpha}, {0.2f, 0.4f, 0.9f, 0.5f}));
        float v = 0;
        QVERIFY(c.getHSV(nullptr, nullptr, &v));
        QCOMPARE(v, 0.9f);
    }

    void presets()
    {
        QCOMPARE(decodeCoefficients(7), decodeCoefficients(0));
        QCOMPARE(encodeMatrix(-1), encodeMatrix(0));
        QCOMPARE(QString(presetName(4)), QStringLiteral("Vellum Legacy YUVS"));
        QCOMPARE(quantisationRange(10).chromaRange, 896.0f);
        QCOMPARE(quantisationRange(16).yOffset, 4096.0f);
        // Encoding with a preset's matrix and decoding with its coefficients gives
        // the colour back (the legacy presets scale chroma to video range in both).
        for (int p = 0; p < kYCbCrPresetCount; ++p) {
            const float* m = encodeMatrix(p);
            const float* c = decodeCoefficients(p);
            QCOMPARE(m[9], 0.0f);
            const float r = 0.7f, g = 0.2f, b = 0.4f;
            const float y = m[0] * r + m[1] * g + m[2] * b;
            const float cb = m[3] * r + m[4] * g + m[5] * b;
            const float cr = m[6] * r + m[7] * g + m[8] * b;
            QVERIFY2(Near({y + c[0] * cr, y + c[1] * cr + c[2] * cb, y + c[3] * cb}, {r, g, b}, 2e-3f),
                     presetName(p));
        }
    }

    void geometry_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("mode");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<V3>("pan");
        QTest::addColumn<V3>("expected");   // R, r, i, cx, cy
        QTest::newRow("wheel") << QSize(200, 100) << 0 << 1.0f << V3{0, 0} << V3{49, 47, 42.3f, 100, 50};
        QTest::newRow("embedded") << QSize(89, 89) << 3 << 1.0f << V3{0, 0} << V3{43.5f, 41.5f, 34.445f, 44.5f, 44.5f};
        QTest::newRow("value ring") << QSize(200, 200) << 2 << 2.0f << V3{0.5f, -1} << V3{198, 164, 164, 182, -64};
        QTest::newRow("too small") << QSize(5, 5) << 0 << 1.0f << V3{0, 0} << V3{1.5f, -0.5f, -0.45f, 2.5f, 2.5f};
    }
    void geometry()
    {
        QFETCH(QSize, size);
        QFETCH(V3, pan);
        const G::Geometry g = G::Compute(size.width(), size.height(), FETCH(float, zoom), pan[0], pan[1], FETCH(int, mode));
        QVERIFY(Near({g.outer, g.radius, g.inner, g.cx, g.cy}, FETCH(V3, expected), 1e-4f));
        QCOMPARE(g.valid(), g.inner > 0);
    }

    void wrapHue_data()
    {
        QTest::addColumn<float>("hue");
        QTest::addColumn<float>("wrapped");
        QTest::newRow("tiny negative") << -1e-8f << 0.0f;
        QTest::newRow("one") << 1.0f << 0.0f;
        QTest::newRow("negative") << -0.25f << 0.75f;
        QTest::newRow("many turns") << 7.5f << 0.5f;
        QTest::newRow("nan") << kNaN << 0.0f;
    }
    void wrapHue()
    {
        QCOMPARE(G::WrapHue(FETCH(float, hue)), FETCH(float, wrapped));
    }

    void dragMode_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("outside");
        QTest::addColumn<bool>("zoom");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("forced");
        QTest::addColumn<int>("expected");
        const int L = Qt::LeftButton, M = Qt::MiddleButton, R = Qt::RightButton;
        const int alt = Qt::AltModifier, ctl = Qt::ControlModifier, sh = Qt::ShiftModifier;
        QTest::newRow("right: value") << R << alt << true << true << 0 << 0 << 4;
        QTest::newRow("forced zoom") << L << 0 << false << true << 0 << 16 << 16;
        QTest::newRow("alt middle: zoom") << M << alt << false << true << 0 << 0 << 16;
        QTest::newRow("middle: box") << M << 0 << false << true << 0 << 0 << 32;
        QTest::newRow("forced box") << L << 0 << false << true << 0 << 32 << 32;
        QTest::newRow("alt: pan") << L << alt << false << true << 0 << 0 << 8;
        QTest::newRow("middle, zoom off") << M << 0 << false << false << 0 << 0 << 3;
        QTest::newRow("control: hue") << L << ctl << false << true << 0 << 0 << 1;
        QTest::newRow("control, ring: value") << L << ctl << false << true << 2 << 0 << 4;
        QTest::newRow("control shift: value") << L << (ctl | sh) << false << true << 0 << 0 << 4;
        QTest::newRow("shift: saturation") << L << sh << false << true << 0 << 0 << 2;
        QTest::newRow("plain") << L << 0 << false << true << 0 << 0 << 3;
        QTest::newRow("embedded alt: absolute") << L << alt << false << false << 3 << 0 << 67;
        QTest::newRow("embedded alt shift") << L << (alt | sh) << false << false << 3 << 0 << 66;
        QTest::newRow("outside") << L << 0 << true << true << 0 << 0 << 65;
        QTest::newRow("outside ring") << L << 0 << true << true << 2 << 0 << 4;
    }
    void dragMode()
    {
        QCOMPARE(int(G::DragMode(FETCH(int, forced), Qt::MouseButton(FETCH(int, button)),
                                 Qt::KeyboardModifiers(FETCH(int, modifiers)), FETCH(bool, outside),
                                 FETCH(bool, zoom), FETCH(int, mode))),
                 FETCH(int, expected));
    }

    // A move's colour: hue by angle (turned by the rotation), saturation by radius
    // up to 1, value by horizontal travel; the ring and the square.
    void moves()
    {
        const G::Hsv press{0.1f, 0.4f, 0.8f};
        auto hsv = [](G::Hsv c) { return V3{c.hue, c.saturation, c.value}; };
        QVERIFY(Near(hsv(G::MoveColour(3, 0, 50, 100, 0, press, 0)), {0.25f, 0.5f, 0.8f}));
        QVERIFY(Near(hsv(G::MoveColour(3, 0, 50, 100, float(M_PI) / 2, press, 0)), {0, 0.5f, 0.8f}));
        QVERIFY(Near(hsv(G::MoveColour(3, -300, 0, 100, 0, press, 0)), {0.5f, 1, 0.8f}));
        QVERIFY(Near(hsv(G::MoveColour(65, 0, -10, 100, 0, press, 0)), {0.75f, 0.4f, 0.8f}));
        // Saturation alone: the projection on the press hue's radius as drawn.
        QVERIFY(Near(hsv(G::MoveColour(2, 30, 60, 100, float(M_PI) / 2, {0, 0.4f, 0.8f}, 0)), {0, 0.6f, 0.8f}));
        QCOMPARE(G::MoveColour(2, -50, 0, 100, 0, {0, 0.4f, 0.8f}, 0).saturation, 0.0f);
        QVERIFY(Near(hsv(G::MoveColour(4, 270, 5, 100, 0, press, 20)), {0.1f, 0.4f, 1.3f}));

        QCOMPARE(G::RingValue(0, -10, 0.5f, true), 0.0f);                 // bottom
        QVERIFY(Near({G::RingValue(-10, 0, 0.5f, true)}, {0.25f}));      // clockwise to the left
        QCOMPARE(G::RingValue(-1, -10, 0.95f, true), 1.0f);              // past the seam: stops
        QVERIFY(Near({G::RingValue(-1, -10, 0.95f, false)}, {0.0159f}, 1e-4f));  // a press jumps
        QCOMPARE(G::RingValue(1, -10, 0.05f, true), 0.0f);

        const float half = G::SquareHalf(100);
        const G::Hsv cur{0.3f, 0.5f, 0.5f};
        QVERIFY(Near(hsv(G::SquareColour(half, -half, 100, Qt::NoModifier, cur)), {0.3f, 1, 0}));
        QVERIFY(Near(hsv(G::SquareColour(half, -half, 100, Qt::ShiftModifier, cur)), {0.3f, 0.5f, 0}));
        QVERIFY(Near(hsv(G::SquareColour(-9 * half, 0, 100, Qt::ControlModifier | Qt::ShiftModifier, cur)), {0.3f, 0, 0.5f}));
        QCOMPARE(G::RingAndSquareDragMode(0, 95, 100, 90, 0), 1u);
        QCOMPARE(G::RingAndSquareDragMode(0, 101, 100, 90, 0), 0u);
        QCOMPARE(G::RingAndSquareDragMode(10, 10, 100, 90, 0), 6u);
        QCOMPARE(G::RingAndSquareDragMode(65, 0, 100, 90, 7), 7u);   // corner: no new drag
    }

    void zoomArithmetic()
    {
        QVERIFY(Near({G::SnapZoom(1, 4, 1), G::SnapZoom(1.3f, 4, 0), G::SnapZoom(2, 96, 96), G::SnapZoom(1, 4, -1)},
                     {std::pow(2.0f, 0.25f), std::pow(2.0f, 0.5f), 4, std::pow(2.0f, -0.25f)}));
        // The disc point under a widget pixel stays there: pixel = (pan + disc) * inner.
        const QPointF pan = G::PanKeeping({30, -12}, {0.2, 0.1}, 40);
        QVERIFY(Near({float(pan.x()), float(pan.y())}, {0.55f, -0.4f}));
        QCOMPARE(G::PanKeeping({0, 0}, {5, -5}, 40), QPointF(-1.9f, 1.9f));
        QCOMPARE(G::BoxZoomFactor(198, 300, 100, 50, 20), 198 / 20.0f);
        QCOMPARE(G::BoxZoomFactor(198, 200, 200, 50, 20), 198 / 50.0f);
        QCOMPARE(G::BoxZoomFactor(198, 200, 200, 0, 20), 198 / 20.0f);
        QCOMPARE(G::BoxZoomFactor(198, 200, 200, 0, 0), 1.0f);
    }

    // The texture: hue by angle from +x counter-clockwise, saturation 1 at the unit
    // radius and beyond; the square: saturation across, value up.
    void textures()
    {
        const QImage t = G::BuildTexture();
        QCOMPARE(t.size(), QSize(G::kTextureSize, G::kTextureSize));
        const float c = G::kTextureSize / 2.0f;
        for (int y = 0; y < t.height(); ++y)
            for (int x = 0; x < t.width(); ++x) {
                const float dx = x + 0.5f - c, dy = y + 0.5f - c;   // rows run up
                float r, g, b;
                Quill::Colour::hsvToRgb(float(std::atan2(dy, dx) / (2 * M_PI)),
                                        std::min(std::hypot(dx, dy) / G::kTextureUnit, 1.0f), 1, &r, &g, &b);
                if (!Near(Rgb(t.pixelColor(x, y)), {r, g, b}, 0.6f / 255) || t.pixelColor(x, y).alpha() != 255)
                    QFAIL(qPrintable(QStringLiteral("texel %1 %2").arg(x).arg(y)));
            }
        QCOMPARE(&G::SharedTexture(), &G::SharedTexture());

        QImage square(10, 4, QImage::Format_ARGB32);
        G::FillSquare(square, 2 / 3.0f);
        float r, g, b;
        Quill::Colour::hsvToRgb(2 / 3.0f, 0.95f, 0.875f, &r, &g, &b);
        QVERIFY(Near(Rgb(square.pixelColor(9, 0)), {r, g, b}, 0.004f));
        QVERIFY(Near(Rgb(square.pixelColor(0, 3)), {0.11875f, 0.11875f, 0.125f}, 0.004f));
    }

    void sliderStops()
    {
        QVERIFY(Near(Rgb(ColorComponents::StopColor(ColorUIConstants::kTemperature, -1)), {1, 0.5f, 0}, 0.003f));
        QVERIFY(Near(Rgb(ColorComponents::StopColor(ColorUIConstants::kTemperature, 1)), {0, 0.5f, 1}, 0.003f));
        QVERIFY(Near(Rgb(ColorComponents::StopColor(ColorUIConstants::kMagentaGreen, -1)), {1 / 6.0f, 1, 1 / 6.0f}, 0.003f));
        QVERIFY(Near(Rgb(ColorComponents::StopColor(ColorUIConstants::kMagentaGreen, 1)), {5 / 6.0f, 0, 5 / 6.0f}, 0.003f));
        QVERIFY(Near(Rgb(ColorComponents::StopColor(ColorUIConstants::kAlpha, 2)), {1, 1, 1}));
        QVERIFY(Near(Rgb(ColorComponents::StopColor(ColorUIConstants::kSaturation, 0.5f)), {0, 0, 0}));
        QVERIFY(Near(Rgb(ColorComponents::StopColor(ColorUIConstants::kBlue, kNaN)), {0, 0, 0}));
        const QGradientStops hue = ColorComponents::Stops(ColorUIConstants::kHue, SliderScale(0, 1, false, false));
        const V3 expected[] = {{1, 0, 0}, {0.8f, 1, 0}, {0, 1, 0.4f}, {0, 0.4f, 1}, {0.8f, 0, 1}, {1, 0, 0}};
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(hue[k].first, k / 5.0);
            QVERIFY2(Near(Rgb(hue[k].second), expected[k], 0.003f), qPrintable(QString::number(k)));
        }
        // A non-linear red slider's stops follow its scale: 0.2 of a square-root 0..1 is 0.04.
        const QGradientStops red = ColorComponents::Stops(ColorUIConstants::kRed, SliderScale(0, 1, false, true));
        QVERIFY(Near(Rgb(red[1].second), {0.04f, 0, 0}, 0.003f));
        double v = -1;
        QVERIFY(!ColorComponents::Value(Color4(), 10, &v));
        QVERIFY(!ColorComponents::Value(Color4(kNaN, 0, 0, 1), ColorUIConstants::kIntensity, &v));
        QVERIFY(ColorComponents::Value(Color4(0.5f, 0.5f, 0.5f, 1), ColorUIConstants::kHue, &v));
        QCOMPARE(v, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestColourMath)
#include "tst_colourmath.moc"
