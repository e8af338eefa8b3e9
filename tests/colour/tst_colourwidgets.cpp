// The colour controller with its wheel and sliders: notification, registration and
// their wiring; the wheel's mouse and scroll handling through synthetic events; its
// painting and the sliders' probed in rendered images.
#include <colour/ColorControl.h>
#include <colour/ColorConversion.h>
#include <colour/ColorSlider.h>
#include <colour/ColorWheel.h>
#include <colour/IColorControlClient.h>

#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

using namespace Quill::UI;
using Quill::Colour::Color4;
using Action = std::function<void(ColorControl&)>;
using V4 = QVector<float>;

// QFETCH as an expression.
#define FETCH(Type, name) (*static_cast<Type*>(QTest::qData(#name, ::qMetaTypeId<Type>())))

namespace {

// Records what the client hears, and what the widgets showed at that moment.
struct Recorder : IColorControlClient {
    QStringList log;
    std::function<QString()> snapshot = [] { return QString(); };
    void colorChanged(float r, float g, float b, float a) override
    {
        log << QStringLiteral("color %1 %2 %3 %4%5").arg(r).arg(g).arg(b).arg(a).arg(snapshot());
    }
    void dragStarted() override { log << QStringLiteral("drag"); }
};

void Mouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos.toPoint()), type == QEvent::MouseMove ? Qt::NoButton : button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), mods);
    QApplication::sendEvent(w, &e);
}

void Click(QWidget* w, QPointF pos, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    Mouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, mods);
    Mouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, mods);
}

// Wheel geometry as the tests see it: 200 x 200 at zoom 1 is R 99, r 97, i 87.3.
struct View {
    float cx, cy, inner, height;
    QPointF pixel(QPointF p) const { return {cx + p.x(), height - (cy + p.y())}; }
    QPointF disc(QPointF pixel) const { return {(pixel.x() - cx) / inner, (height - pixel.y() - cy) / inner}; }
};

struct ProbeWheel : ColorWheel {
    using ColorWheel::ColorWheel;
    View view()
    {
        float base, cx, cy, r, i;
        getMeasurements(base, cx, cy, r, i);
        return {cx, cy, i, float(height())};
    }
};

QColor Hsv(float h, float s, float v)
{
    float r, g, b;
    Quill::Colour::hsvToRgb(h, s, v, &r, &g, &b);
    return QColor::fromRgbF(qBound(0.0f, r, 1.0f), qBound(0.0f, g, 1.0f), qBound(0.0f, b, 1.0f));
}

bool Close(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

QStringList WatchWheel(ColorWheel* w)
{
    auto* log = new QStringList;
    QObject::connect(w, &QObject::destroyed, [log] { delete log; });
    QObject::connect(w, &ColorWheel::startDragSignal, [log] { *log << "start"; });
    QObject::connect(w, &ColorWheel::hsvChanged, [log](float h, float s, float v) {
        *log << QStringLiteral("hsv %1 %2 %3").arg(double(h), 0, 'f', 3).arg(double(s), 0, 'f', 3).arg(double(v), 0, 'f', 3);
    });
    QObject::connect(w, &ColorWheel::draggingSignal, [log] { *log << "drag"; });
    QObject::connect(w, &ColorWheel::stopDragSignal, [log] { *log << "stop"; });
    w->setProperty("log", QVariant::fromValue(reinterpret_cast<quintptr>(log)));
    return {};
}

QStringList Log(ColorWheel* w)
{
    return *reinterpret_cast<QStringList*>(w->property("log").value<quintptr>());
}

} // namespace

Q_DECLARE_METATYPE(Action)

class TestColourWidgets : public QObject
{
    Q_OBJECT
private slots:
    void controllerEdits_data()
    {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QTest::addColumn<V4>("start");
        QTest::addColumn<bool>("alpha");
        QTest::addColumn<Action>("action");
        QTest::addColumn<V4>("expected");
        QTest::addColumn<bool>("notified");
        QTest::newRow("host alpha off") << V4{0, 0, 0, 1} << false
                                        << Action([](ColorControl& c) { c.setColorRGBA(0.1f, 0.2f, 0.3f, 0.5f); })
                                        << V4{0.1f, 0.2f, 0.3f, 1} << false;
        QTest::newRow("rgba alpha off") << V4{0, 0, 0, 1} << false
                                        << Action([](ColorControl& c) { c.rgbaChanged(0.1, 0.2, 0.3, 0.5); })
                                        << V4{0.1f, 0.2f, 0.3f, 0.5f} << true;
        QTest::newRow("alpha slot") << V4{0, 0, 0, 1} << false << Action([](ColorControl& c) { c.alphaChanged(0.5); })
                                    << V4{0, 0, 0, 0.5f} << true;
        QTest::newRow("value of grey") << V4{0.5f, 0.5f, 0.5f, 1} << true
                                       << Action([](ColorControl& c) { c.valueChanged(0.8); })
                                       << V4{0.8f, 0.8f, 0.8f, 1} << true;
        QTest::newRow("value of red") << V4{1, 0, 0, 1} << true << Action([](ColorControl& c) { c.valueChanged(0.8); })
                                      << V4{0.8f, 0, 0, 1} << true;
        QTest::newRow("temperature") << V4{0.5f, 0.5f, 0.5f, 1} << true
                                     << Action([](ColorControl& c) { c.temperatureChanged(0.2); })
                                     << V4{0.4f, 0.5f, 0.6f, 1} << true;
        QTest::newRow("magenta-green") << V4{0.5f, 0.5f, 0.5f, 1} << true
                                       << Action([](ColorControl& c) { c.magentaGreenChanged(0.3); })
                                       << V4{0.6f, 0.3f, 0.6f, 1} << true;
        QTest::newRow("hsv") << V4{0, 0, 0, 1} << true << Action([](ColorControl& c) { c.hsvChanged(1 / 3.0f, 1, 0.5f); })
                             << V4{0, 0.5f, 0, 1} << true;
        QTest::newRow("nan edit") << V4{0.5f, 0.5f, 0.5f, 1} << true << Action([nan](ColorControl& c) { c.redChanged(nan); })
                                  << V4{0.5f, 0.5f, 0.5f, 1} << false;
        QTest::newRow("nan host") << V4{0.5f, 0.5f, 0.5f, 1} << true
                                  << Action([nan](ColorControl& c) { c.setColorRGBA(nan, 0, 0, 1); })
                                  << V4{0.5f, 0.5f, 0.5f, 1} << false;
    }
    // Each edit reaches every widget; a user edit then reaches the client, a host
    // edit does not.
    void controllerEdits()
    {
        QFETCH(V4, start);
        QFETCH(V4, expected);
        Recorder client;
        ColorControl control(&client);
        control.setColorRGBA(start[0], start[1], start[2], start[3]);
        control.setAlphaEnabled(FETCH(bool, alpha));
        std::unique_ptr<ColorSlider> red(control.createRedSlider(Qt::Horizontal));
        std::unique_ptr<ColorSlider> alpha(control.createAlphaSlider(Qt::Horizontal));
        FETCH(Action, action)(control);
        const Color4 c = control.getColor();
        for (int k = 0; k < 4; ++k)
            QVERIFY2(qAbs((&c.red)[k] - expected[k]) < 1e-5f, qPrintable(QString::number(k)));
        QCOMPARE(red->value(), double(c.red));
        QCOMPARE(alpha->value(), double(c.alpha));
        QCOMPARE(client.log.size(), FETCH(bool, notified) ? 1 : 0);
    }

    // A slider drag: the client hears the drag start, then the colour once every
    // widget (the dragged one included) already shows it.
    void notificationOrder()
    {
        Recorder client;
        ColorControl control(&client);
        control.setColorRGBA(0.2f, 0.4f, 0.6f, 1);
        std::unique_ptr<ColorWheel> wheel(control.createColorWheel());
        std::unique_ptr<ColorSlider> red(control.createRedSlider(Qt::Horizontal));
        std::unique_ptr<ColorSlider> value(control.createVerticalValueSlider());
        QCOMPARE(wheel->objectName(), QStringLiteral("ColorWheelEmbedded"));
        QCOMPARE(control.widgets().size(), 3);
        client.snapshot = [&] {
            float h, s, v;
            wheel->getHSV(h, s, v);
            return QStringLiteral(" / %1 %2 %3").arg(red->value()).arg(value->value()).arg(v);
        };
        red->resize(304, 30);
        control.setColorRange(0, 1);
        red->setMode(Slider::kLinear);
        Mouse(red.get(), QEvent::MouseButtonPress, QPointF(2 + 300 * 0.9, 10));
        const float red1 = control.getColor().red;
        QVERIFY(qAbs(red1 - 0.9f) < 0.01f);
        QCOMPARE(client.log, QStringList({"drag", QStringLiteral("color %1 0.4 0.6 1 / %1 %1 %1").arg(red1)}));
        client.log.clear();
        control.setDefaultColorRGBA(1, 1, 1, 1);
        QCOMPARE(value->value(), double(red1));
        QVERIFY(client.log.isEmpty());
        Mouse(wheel.get(), QEvent::MouseButtonPress, QPointF(44, 44));
        QCOMPARE(client.log.value(0), QStringLiteral("drag"));
    }

    // Registration lasts while both live; either may go first; a removed widget no
    // longer edits the colour.
    void lifecycle()
    {
        auto control = std::make_unique<ColorControl>(nullptr);
        std::unique_ptr<ColorSlider> red(control->createRedSlider(Qt::Horizontal));
        std::unique_ptr<ColorSlider> temperature(control->createVerticalTemperatureSlider());
        auto* blue = control->createBlueSlider(Qt::Horizontal);
        QCOMPARE(temperature->minimum(), -4.0);
        control->setColorRange(0, 2);
        QCOMPARE(temperature->minimum(), -2.0);
        QCOMPARE(red->maximum(), 2.0);
        delete blue;
        QCOMPARE(control->widgets().size(), 2);
        control->setColorRGBA(0.3f, 0, 0, 1);
        QCOMPARE(red->value(), double(0.3f));

        control->removeWidget(red.get());
        control->removeWidget(red.get());
        QCOMPARE(control->widgets().size(), 1);
        QVERIFY(!red->control());
        red->resize(204, 30);
        red->setRange(0, 1);
        Mouse(red.get(), QEvent::MouseButtonPress, QPointF(102, 10));
        QCOMPARE(control->getColor().red, 0.3f);

        control.reset();
        QVERIFY(!temperature->control());
        QCOMPARE(temperature->getColorFromControl().alpha, 1.0f);
        temperature->updateFromControl();
        QCOMPARE(temperature->value(), 0.0);
    }

    void sliderDefault()
    {
        ColorControl control(nullptr);
        control.setDefaultColorRGBA(0.2, 0.4, 0.6, 1);
        std::unique_ptr<ColorSlider> blue(control.createBlueSlider(Qt::Horizontal));
        QCOMPARE(blue->defaultValue(), double(0.6f));
        blue->resize(204, 30);
        QStringList log;
        connect(blue.get(), &Slider::valueChanged, [&](double v) { log << QStringLiteral("value %1").arg(v); });
        connect(blue.get(), &Slider::sliderMoved, [&](double v) { log << QStringLiteral("moved %1").arg(v); });
        Click(blue.get(), QPointF(20, 10), Qt::ControlModifier);
        Click(blue.get(), QPointF(150, 10), Qt::ControlModifier);
        QCOMPARE(log, QStringList({"value 0.6", "moved 0.6"}));
        QCOMPARE(control.getColor().blue, 0.6f);
        blue->setMode(Slider::kLinear);
        Click(blue.get(), QPointF(102, 10));
        QCOMPARE(control.getColor().blue, 2.0f);   // the controller's range: 0..4
    }

    // The groove's gradient, at device resolution.
    void sliderGradient()
    {
        for (int dpr : {1, 2}) {
            ColorSlider hue(ColorUIConstants::kHue, Qt::Horizontal);
            hue.resize(304, 40);
            QImage image(hue.size() * dpr, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(dpr);
            hue.render(&image);
            // Between the stops at 0.4 (0, 1, 0.4) and 0.6 (0, 0.4, 1); on the stop at 0.2.
            QVERIFY2(Close(image.pixelColor(152 * dpr, 19 * dpr), QColor(0, 178, 178), 3), qPrintable(QString::number(dpr)));
            QVERIFY(Close(image.pixelColor(61 * dpr, 19 * dpr + dpr - 1), QColor(204, 255, 0), 3));
        }
    }

    void wheelDrags_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPointF>("press");   // relative to the centre, y up
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QPointF>("move");    // pixels from the press
        QTest::addColumn<QStringList>("emitted");
        QTest::addColumn<V4>("hsv");          // after the release; ring value last
        const int L = Qt::LeftButton;
        QTest::newRow("right: value") << 0 << QPointF(10, 0) << int(Qt::RightButton) << 0 << QPointF(250, 0)
                                      << QStringList{"start", "hsv 0.100 0.500 0.500", "drag", "hsv 0.100 0.500 1.000", "drag", "stop"}
                                      << V4{0.1f, 0.5f, 1.0f};
        QTest::newRow("outside: hue") << 0 << QPointF(0, 92) << L << 0 << QPointF(0, 0)
                                      << QStringList{"start", "hsv 0.250 0.500 0.500", "drag", "hsv 0.250 0.500 0.500", "drag", "stop"}
                                      << V4{0.25f, 0.5f, 0.5f};
        QTest::newRow("beyond the rim") << 0 << QPointF(40, 0) << L << 0 << QPointF(150, 0)
                                        << QStringList{"start", "hsv 0.000 0.458 0.500", "drag", "hsv 0.000 1.000 0.500", "drag", "stop"}
                                        << V4{0, 1, 0.5f};
        // Relative: 100 px move the marker (never painted) 10 px right from
        // 0.5 i (34.445) at 0.1 turn.
        QTest::newRow("embedded relative") << 3 << QPointF(-20, 5) << L << 0 << QPointF(100, 0)
                                           << QStringList{"start", "hsv 0.100 0.500 0.500", "drag", "hsv 0.064 0.754 0.500", "drag", "stop"}
                                           << V4{0.0636f, 0.7544f, 0.5f};
        QTest::newRow("embedded alt: absolute") << 3 << QPointF(0, 17.2225) << L << int(Qt::AltModifier) << QPointF(0, 0)
                                                << QStringList{"start", "hsv 0.250 0.500 0.500", "drag", "hsv 0.250 0.500 0.500", "drag", "stop"}
                                                << V4{0.25f, 0.5f, 0.5f};
        QTest::newRow("ring seam") << 2 << QPointF(4, -90) << L << 0 << QPointF(-8, 0)
                                   << QStringList{"start", "hsv 0.100 0.500 0.993", "drag", "hsv 0.100 0.500 1.000", "drag", "stop"}
                                   << V4{0.1f, 0.5f, 1, 1};
        QTest::newRow("square") << 1 << QPointF(0, 0) << L << 0 << QPointF(30, -30)
                                << QStringList{"start", "drag", "drag", "stop"}
                                << V4{0.1f, 0.5f + 30 / 120.62f, 0.5f + 30 / 120.62f};
        QTest::newRow("square corner") << 1 << QPointF(65, 0) << L << 0 << QPointF(0, 0) << QStringList{}
                                       << V4{0.1f, 0.5f, 0.5f};
        QTest::newRow("ring") << 1 << QPointF(0, -90) << L << 0 << QPointF(0, 0)
                              << QStringList{"start", "drag", "drag", "stop"} << V4{0.75f, 0.5f, 0.5f};
    }
    void wheelDrags()
    {
        QFETCH(int, mode);
        QFETCH(QPointF, press);
        QFETCH(V4, hsv);
        ProbeWheel w(nullptr, ColorWheel::DisplayMode(mode));
        if (mode != ColorWheel::kEmbedded)
            w.resize(200, 200);
        w.setHSV(0.1f, 0.5f, 0.5f);
        WatchWheel(&w);
        const View v = w.view();
        const auto button = Qt::MouseButton(FETCH(int, button));
        const auto mods = Qt::KeyboardModifiers(FETCH(int, modifiers));
        const QPointF at = v.pixel(press);
        Mouse(&w, QEvent::MouseButtonPress, at, button, mods);
        const QPointF to = at + FETCH(QPointF, move);
        Mouse(&w, QEvent::MouseMove, to, button, mods);
        Mouse(&w, QEvent::MouseButtonRelease, to, button, mods);
        QCOMPARE(Log(&w), FETCH(QStringList, emitted));
        float h, s, val;
        w.getHSV(h, s, val);
        QVERIFY2(std::fabs(h - hsv[0]) < 1e-3f && std::fabs(s - hsv[1]) < 1e-3f && std::fabs(val - hsv[2]) < 1e-3f,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(h).arg(s).arg(val)));
        if (hsv.size() > 3)
            QCOMPARE(w.ringValue(), hsv[3]);
    }

    // Scroll and continuous zoom keep the point under the pointer; box zoom centres
    // the box; the pan limit holds; a middle click resets.
    void wheelView()
    {
        ProbeWheel w(nullptr);
        w.resize(300, 200);
        const QPointF pointer(200, 60);
        QPointF before = w.view().disc(pointer);
        QWheelEvent up(pointer, w.mapToGlobal(pointer.toPoint()), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(&w, &up);
        QCOMPARE(w.zoomFactor(), std::pow(2.0f, 0.25f));
        QVERIFY(QLineF(w.view().disc(pointer), before).length() < 1e-4);

        before = w.view().disc(QPointF(100, 100));
        Mouse(&w, QEvent::MouseButtonPress, QPointF(100, 100), Qt::MiddleButton, Qt::AltModifier);
        Mouse(&w, QEvent::MouseMove, QPointF(196, 100), Qt::MiddleButton, Qt::AltModifier);
        Mouse(&w, QEvent::MouseButtonRelease, QPointF(196, 100), Qt::MiddleButton, Qt::AltModifier);
        QCOMPARE(w.zoomFactor(), std::pow(2.0f, 1.25f));   // 96 px: one octave more
        QVERIFY(QLineF(w.view().disc(QPointF(100, 100)), before).length() < 1e-4);

        Mouse(&w, QEvent::MouseButtonPress, QPointF(150, 100), Qt::MiddleButton);
        Mouse(&w, QEvent::MouseButtonRelease, QPointF(152, 97), Qt::MiddleButton);
        QCOMPARE(w.zoomFactor(), 1.0f);
        QCOMPARE(QPointF(w.panX(), w.panY()), QPointF(0, 0));

        // A 50 x 20 box on a 1.5:1 widget: its width limits, factor D / 50.
        const QPointF boxCentre = w.view().disc(QPointF(185, 110));
        Mouse(&w, QEvent::MouseButtonPress, QPointF(160, 100), Qt::MiddleButton);
        Mouse(&w, QEvent::MouseMove, QPointF(210, 120), Qt::MiddleButton);
        Mouse(&w, QEvent::MouseButtonRelease, QPointF(210, 120), Qt::MiddleButton);
        QCOMPARE(w.zoomFactor(), 198 / 50.0f);
        QVERIFY(QLineF(w.view().disc(QPointF(150, 100)), boxCentre).length() < 1e-4);

        Mouse(&w, QEvent::MouseButtonPress, QPointF(150, 100), Qt::LeftButton, Qt::AltModifier);
        Mouse(&w, QEvent::MouseMove, QPointF(2150, -900), Qt::LeftButton, Qt::AltModifier);
        QCOMPARE(QPointF(w.panX(), w.panY()), QPointF(1.9f, 1.9f));
        Mouse(&w, QEvent::MouseButtonRelease, QPointF(2150, -900), Qt::LeftButton, Qt::AltModifier);
        for (int k = 0; k < 12; ++k) {
            QWheelEvent down(pointer, w.mapToGlobal(pointer.toPoint()), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(&w, &down);
        }
        QCOMPARE(w.zoomFactor(), 1.0f);
        QCOMPARE(QPointF(w.panX(), w.panY()), QPointF(0, 0));

        ColorWheel embedded(nullptr, ColorWheel::kEmbedded);
        QWheelEvent scroll(QPointF(40, 40), QPointF(40, 40), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                           Qt::NoScrollPhase, false);
        QVERIFY(!QApplication::sendEvent(&embedded, &scroll) || !scroll.isAccepted());
        QCOMPARE(embedded.zoomFactor(), 1.0f);
    }

    void wheelPainting_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<V4>("hsv");         // hue, saturation, value, rotation
        QTest::addColumn<int>("dpr");
        QTest::addColumn<QPointF>("probe");  // relative to the centre, y up
        QTest::addColumn<QColor>("expected");
        const float s80 = 80 / 87.3f;
        const V4 plain{0.6f, 0.5f, 1, 0};
        QTest::newRow("hue 0 at three o'clock") << 0 << plain << 1 << QPointF(80, 0) << Hsv(0, s80, 1);
        QTest::newRow("quarter turn up") << 0 << plain << 1 << QPointF(0, 80) << Hsv(0.25f, s80, 1);
        QTest::newRow("half turn left") << 0 << plain << 1 << QPointF(-80, 0) << Hsv(0.5f, s80, 1);
        QTest::newRow("saturation 1 at inner radius") << 0 << plain << 1 << QPointF(86.5, 0) << Hsv(0, 1, 1);
        QTest::newRow("band") << 0 << plain << 1 << QPointF(92, 0) << Hsv(0, 1, 0.7f);
        QTest::newRow("band at 2x") << 0 << plain << 2 << QPointF(96.6, 0) << Hsv(0, 1, 0.7f);
        QTest::newRow("disc at 2x") << 0 << plain << 2 << QPointF(0, -80) << Hsv(0.75f, s80, 1);
        QTest::newRow("shading") << 0 << V4{0.6f, 0.5f, 0.5f, 0} << 1 << QPointF(0, -80) << Hsv(0.75f, s80, 0.5f);
        QTest::newRow("rotated") << 0 << V4{0.6f, 0.5f, 1, float(M_PI / 2)} << 1 << QPointF(0, 80) << Hsv(0, s80, 1);
        QTest::newRow("light blue marker") << 0 << V4{0.5f, 0.5f, 0.05f, 0} << 1 << QPointF(-43.65, 0) << QColor(102, 178, 255);
        QTest::newRow("red marker") << 0 << V4{0.5f, 0.5f, 1.2f, 0} << 2 << QPointF(-43.65, 0) << QColor(255, 51, 51);
        QTest::newRow("red hue pointer") << 0 << V4{0.25f, 1.05f, 1, 0} << 1 << QPointF(0, 97) << QColor(255, 51, 51);
        QTest::newRow("white hue pointer") << 3 << V4{0.25f, 0.5f, 1, 0} << 1 << QPointF(0, 41.5) << QColor(Qt::white);
        QTest::newRow("ring pointer") << 2 << plain << 1 << QPointF(-91, 0) << QColor(Qt::white);
        QTest::newRow("ring just past 0") << 2 << plain << 1 << QPointF(-15, -90) << QColor(5, 5, 5);
        QTest::newRow("ring at top") << 2 << plain << 1 << QPointF(0, 91) << QColor(96, 96, 96);
        QTest::newRow("ring of the square") << 1 << V4{0, 0.5f, 0.5f, 0} << 1 << QPointF(0, 93) << Hsv(0.25f, 1, 1);
        QTest::newRow("square corner") << 1 << V4{0, 0.5f, 0.5f, 0} << 1 << QPointF(55, 55) << Hsv(0, 0.956f, 0.956f);
        QTest::newRow("square at 2x") << 1 << V4{0.4f, 0.5f, 0.5f, 0} << 2 << QPointF(-55, -55) << Hsv(0.4f, 0.044f, 0.044f);
    }
    void wheelPainting()
    {
        QFETCH(V4, hsv);
        QFETCH(int, dpr);
        // Another wheel with another rotation paints first: each shows its own.
        ColorWheel other(nullptr);
        other.resize(120, 120);
        other.setHueRotation(1.0f);
        QImage scratch(other.size(), QImage::Format_ARGB32_Premultiplied);
        other.render(&scratch);

        ProbeWheel w(nullptr, ColorWheel::DisplayMode(FETCH(int, mode)));
        if (w.displayMode() != ColorWheel::kEmbedded)
            w.resize(200, 200);
        w.setHSV(hsv[0], hsv[1], hsv[2]);
        w.setHueRotation(hsv[3]);
        w.setRingValue(0.25f);
        QImage image(w.size() * dpr, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::transparent);
        w.render(&image);
        const QPointF p = w.view().pixel(FETCH(QPointF, probe)) * dpr;
        const QColor got = image.pixelColor(int(p.x()), int(p.y()));
        QVERIFY2(Close(got, FETCH(QColor, expected), 8), qPrintable(got.name()));
    }
};

QTEST_MAIN(TestColourWidgets)
#include "tst_colourwidgets.moc"
