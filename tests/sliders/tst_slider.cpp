// The Slider widget: value model, mouse interaction and signals, and its painting
// probed in an image.
#include <sliders/Slider.h>

#include <QtTest>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <climits>
#include <cmath>
#include <limits>

using namespace Quill::UI;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

const QColor kWindow(255, 255, 255);
const QColor kShadow(0, 0, 0);
const QColor kMid(0, 128, 0);
const QColor kDark(0, 0, 255);
const QColor kLight(220, 220, 220);
const QColor kEnabledThumb(98, 82, 39);
const QColor kDisabledThumb(74, 71, 63);

QPalette TestPalette()
{
    QPalette pal;
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        const auto group = QPalette::ColorGroup(g);
        pal.setColor(group, QPalette::Window, kWindow);
        pal.setColor(group, QPalette::Shadow, kShadow);
        pal.setColor(group, QPalette::Mid, kMid);
        pal.setColor(group, QPalette::Dark, kDark);
        pal.setColor(group, QPalette::Light, kLight);
    }
    return pal;
}

QImage Render(QWidget& w, int dpr = 1)
{
    QImage image(w.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::magenta);
    w.render(&image);
    return image;
}

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

int CountColumn(const QImage& image, int x, int y0, int y1, const QColor& c)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        n += At(image, x, y) == c;
    return n;
}

int CountRow(const QImage& image, int y, int x0, int x1, const QColor& c)
{
    int n = 0;
    for (int x = x0; x <= x1; ++x)
        n += At(image, x, y) == c;
    return n;
}

// Records the painting operations in the order the slider calls them.
class RecordingSlider : public Slider
{
public:
    using Slider::Slider;
    QStringList calls;

protected:
    void paintBackground(QPainter& p) override { calls << "background"; Slider::paintBackground(p); }
    void paintTicks(QPainter& p) override { calls << "ticks"; Slider::paintTicks(p); }
    void paintLinearTicks(QPainter& p, const QRect& t, const QRect* l) override
    {
        calls << "linear";
        Slider::paintLinearTicks(p, t, l);
    }
    void paintLogTicks(QPainter& p, const QRect& t, const QRect* l) override
    {
        calls << "log";
        Slider::paintLogTicks(p, t, l);
    }
    void paintSquareTicks(QPainter& p, const QRect& t, const QRect* l) override
    {
        calls << "square";
        Slider::paintSquareTicks(p, t, l);
    }
    void paintThumb(QPainter& p) override { calls << "thumb"; Slider::paintThumb(p); }
    void paintOutOfRangeThumb(QPainter& p, const QRect& r, int direction) const override
    {
        const_cast<RecordingSlider*>(this)->calls << QStringLiteral("out%1").arg(direction);
        Slider::paintOutOfRangeThumb(p, r, direction);
    }
};

void SendMove(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent move(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

} // namespace

class TestSlider : public QObject
{
    Q_OBJECT
private slots:
    void construction_data();
    void construction();
    void rangeSetters_data();
    void rangeSetters();
    void setValueRoundsAndRefusesNonFinite_data();
    void setValueRoundsAndRefusesNonFinite();
    void dragSignals_data();
    void dragSignals();
    void hoverDoesNotMove();

    void paintOrder_data();
    void paintOrder();
    void thumbPosition_data();
    void thumbPosition();
    void outOfRangeTriangle_data();
    void outOfRangeTriangle();
    void painting_data();
    void painting();
    void extremeRangesPaint_data();
    void extremeRangesPaint();
};

void TestSlider::construction_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("step");
    QTest::addColumn<QSize>("hint");

    QTest::newRow("double horizontal") << int(Slider::kDouble) << int(Qt::Horizontal) << 0.5 << 1.0 << 0.01 << QSize(30, 20);
    QTest::newRow("int horizontal") << int(Slider::kInt) << int(Qt::Horizontal) << 0.0 << 100.0 << 1.0 << QSize(30, 20);
    QTest::newRow("double vertical") << int(Slider::kDouble) << int(Qt::Vertical) << 0.5 << 1.0 << 0.01 << QSize(20, 30);
}

void TestSlider::construction()
{
    QFETCH(int, type);
    QFETCH(int, orientation);
    QFETCH(double, value);
    QFETCH(double, maximum);
    QFETCH(double, step);
    QFETCH(QSize, hint);
    Slider s(Slider::ValueType(type), Slider::kLinear, Qt::Orientation(orientation));
    QCOMPARE(s.value(), value);
    QCOMPARE(s.minimum(), 0.0);
    QCOMPARE(s.maximum(), maximum);
    QCOMPARE(s.step(), step);
    QCOMPARE(s.sizeHint(), hint);
    QCOMPARE(s.minimumSize(), hint);
    QCOMPARE(s.objectName(), QStringLiteral("Slider"));
    QCOMPARE(s.focusPolicy(), Qt::NoFocus);
    QVERIFY(s.autoFillBackground());
    QCOMPARE(QString::fromLatin1(s.metaObject()->className()), QStringLiteral("Quill::UI::Slider"));
    const bool horizontal = orientation == Qt::Horizontal;
    QCOMPARE(s.sizePolicy().horizontalPolicy(), horizontal ? QSizePolicy::MinimumExpanding : QSizePolicy::Fixed);
    QCOMPARE(s.sizePolicy().verticalPolicy(), horizontal ? QSizePolicy::Fixed : QSizePolicy::MinimumExpanding);
    // Signals and slots in their documented order.
    const QMetaObject* mo = s.metaObject();
    QStringList methods;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i)
        methods << QString::fromLatin1(mo->method(i).methodSignature());
    QCOMPARE(methods, (QStringList{"sliderMoved(double)", "sliderPressed()", "sliderReleased()",
                                   "valueChanged(double)", "setOrientation(Qt::Orientation)",
                                   "setValue(double)", "setMode(SliderMode)", "setType(ValueType)",
                                   "setRange(double,double)", "setMinimum(double)", "setMaximum(double)",
                                   "setMinTickSeparation(int)"}));
}

void TestSlider::rangeSetters_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");

    QTest::newRow("setRange swaps") << "range" << 10.0 << 2.0 << 2.0 << 10.0;
    QTest::newRow("setMinimum above max swaps") << "min" << 20.0 << 0.0 << 10.0 << 20.0;
    QTest::newRow("setMaximum below min swaps") << "max" << -5.0 << 0.0 << -5.0 << 0.0;
    QTest::newRow("setRange NaN refused") << "range" << kNaN << 3.0 << 0.0 << 10.0;
    QTest::newRow("setRange infinity refused") << "range" << -kInf << kInf << 0.0 << 10.0;
    QTest::newRow("setMinimum NaN refused") << "min" << kNaN << 0.0 << 0.0 << 10.0;
    QTest::newRow("setMaximum infinity refused") << "max" << kInf << 0.0 << 0.0 << 10.0;
    QTest::newRow("huge range kept") << "range" << -1e308 << 1e308 << -1e308 << 1e308;
}

void TestSlider::rangeSetters()
{
    QFETCH(QString, call);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    Slider s;
    s.setRange(0, 10);
    if (call == "range")
        s.setRange(a, b);
    else if (call == "min")
        s.setMinimum(a);
    else
        s.setMaximum(a);
    QCOMPARE(s.minimum(), minimum);
    QCOMPARE(s.maximum(), maximum);
}

void TestSlider::setValueRoundsAndRefusesNonFinite_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("input");
    QTest::addColumn<double>("stored");

    QTest::newRow("int 2.5 -> 3") << int(Slider::kInt) << 2.5 << 3.0;
    QTest::newRow("int -2.5 -> -3") << int(Slider::kInt) << -2.5 << -3.0;
    QTest::newRow("int 1e300 stays") << int(Slider::kInt) << 1e300 << 1e300;
    QTest::newRow("double unclamped") << int(Slider::kDouble) << 7.25 << 7.25;
    QTest::newRow("NaN refused") << int(Slider::kDouble) << kNaN << 0.5;
    QTest::newRow("+inf refused") << int(Slider::kDouble) << kInf << 0.5;
    QTest::newRow("int -inf refused") << int(Slider::kInt) << -kInf << 0.0;
}

void TestSlider::setValueRoundsAndRefusesNonFinite()
{
    QFETCH(int, type);
    QFETCH(double, input);
    QFETCH(double, stored);
    Slider s{Slider::ValueType(type)};
    QSignalSpy changed(&s, SIGNAL(valueChanged(double)));
    QSignalSpy moved(&s, SIGNAL(sliderMoved(double)));
    s.setValue(input);
    QCOMPARE(s.value(), stored);
    QCOMPARE(changed.count(), 0);   // setters never emit
    QCOMPARE(moved.count(), 0);
}

void TestSlider::dragSignals_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("offsets");        // pixels from the slot start: press, moves...
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("horizontal") << int(Qt::Horizontal) << int(Slider::kDouble) << QList<int>{60, 90, 90, 300}
                                << QStringList{"pressed", "changed 0.2", "moved 0.2", "changed 0.3",
                                               "moved 0.3", "changed 1", "moved 1", "released"};
    QTest::newRow("vertical") << int(Qt::Vertical) << int(Slider::kDouble) << QList<int>{60, 90, 400}
                              << QStringList{"pressed", "changed 0.2", "moved 0.2", "changed 0.3",
                                             "moved 0.3", "changed 1", "moved 1", "released"};
    QTest::newRow("press on the value emits no change") << int(Qt::Horizontal) << int(Slider::kDouble)
                                                        << QList<int>{150}
                                                        << QStringList{"pressed", "released"};
    QTest::newRow("int") << int(Qt::Horizontal) << int(Slider::kInt) << QList<int>{60, 61, -30}
                         << QStringList{"pressed", "changed 20", "moved 20", "changed 0", "moved 0", "released"};
}

void TestSlider::dragSignals()
{
    QFETCH(int, orientation);
    QFETCH(int, type);
    QFETCH(QList<int>, offsets);
    QFETCH(QStringList, expected);

    const bool horizontal = orientation == Qt::Horizontal;
    Slider s(Slider::ValueType(type), Slider::kLinear, Qt::Orientation(orientation));
    s.resize(horizontal ? QSize(305, 30) : QSize(30, 305));   // slot of 300 pixels
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));

    QStringList log;
    connect(&s, &Slider::sliderPressed, [&] { log << "pressed"; });
    connect(&s, &Slider::sliderReleased, [&] { log << "released"; });
    connect(&s, &Slider::valueChanged, [&](double v) {
        log << QStringLiteral("changed %1").arg(v);
        QCOMPARE(s.value(), v);   // stored before it is announced
    });
    connect(&s, &Slider::sliderMoved, [&](double v) { log << QStringLiteral("moved %1").arg(v); });
    QSignalSpy spy(&s, SIGNAL(valueChanged(double)));

    auto point = [&](int offset) { return horizontal ? QPoint(2 + offset, 15) : QPoint(15, 302 - offset); };
    QTest::mousePress(&s, Qt::LeftButton, Qt::NoModifier, point(offsets.first()));
    for (int i = 1; i < offsets.size(); ++i)
        SendMove(&s, point(offsets.at(i)));
    QTest::mouseRelease(&s, Qt::LeftButton, Qt::NoModifier, point(offsets.last()));
    QCOMPARE(log, expected);
    QCOMPARE(spy.count(), expected.filter("changed").size());
}

void TestSlider::hoverDoesNotMove()
{
    Slider s;
    s.resize(305, 30);
    s.setMouseTracking(true);
    QSignalSpy spy(&s, SIGNAL(valueChanged(double)));
    SendMove(&s, QPoint(62, 15), Qt::NoButton);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(s.value(), 0.5);
}

void TestSlider::paintOrder_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("value");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("linear") << int(Slider::kLinear) << 0.0 << 1.0 << 0.5
                            << QStringList{"background", "ticks", "linear", "thumb"};
    QTest::newRow("log") << int(Slider::kLog) << 1.0 << 1000.0 << 10.0
                         << QStringList{"background", "ticks", "log", "thumb"};
    QTest::newRow("square") << int(Slider::kLog) << 0.0 << 100.0 << 10.0
                            << QStringList{"background", "ticks", "square", "thumb"};
    QTest::newRow("two-sided") << int(Slider::kLog) << -25.0 << 100.0 << 10.0
                               << QStringList{"background", "ticks", "square", "thumb"};
    QTest::newRow("mirrored log uses square ticks") << int(Slider::kLog) << -1000.0 << -1.0 << -10.0
                                                    << QStringList{"background", "ticks", "square", "thumb"};
    QTest::newRow("above the maximum") << int(Slider::kLinear) << 0.0 << 1.0 << 2.0
                                       << QStringList{"background", "ticks", "linear", "thumb", "out1"};
    QTest::newRow("below the minimum") << int(Slider::kLinear) << 0.0 << 1.0 << -2.0
                                       << QStringList{"background", "ticks", "linear", "thumb", "out0"};
}

void TestSlider::paintOrder()
{
    QFETCH(int, mode);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, value);
    QFETCH(QStringList, calls);
    RecordingSlider s(Slider::kDouble, Slider::SliderMode(mode));
    s.setRange(minimum, maximum);
    s.setValue(value);
    s.resize(305, 40);
    Render(s);
    QCOMPARE(s.calls, calls);
}

void TestSlider::thumbPosition_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("value");
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("outside");
    QTest::addColumn<int>("dpr");   // device pixels per pixel

    // Horizontal 305x40: thumb slot x 2..302, y 13..31; the thumb is 4 pixels wide
    // centred on (1 - q) * 2 + 302 * q.
    QTest::newRow("horizontal 0.25") << int(Qt::Horizontal) << true << int(Slider::kLinear) << 0.25
                                     << QPoint(77, 22) << QPoint(72, 22) << 1;
    QTest::newRow("horizontal disabled") << int(Qt::Horizontal) << false << int(Slider::kLinear) << 0.25
                                         << QPoint(77, 22) << QPoint(82, 22) << 1;
    QTest::newRow("horizontal sqrt 0.25 sits at half") << int(Qt::Horizontal) << true << int(Slider::kLog) << 0.25
                                                       << QPoint(152, 22) << QPoint(77, 22) << 1;
    QTest::newRow("horizontal at 2x") << int(Qt::Horizontal) << true << int(Slider::kLinear) << 0.25
                                      << QPoint(77, 22) << QPoint(72, 22) << 2;
    // Vertical 40x305: thumb slot y 302..2 upwards, x 17..38.
    QTest::newRow("vertical 0.25") << int(Qt::Vertical) << true << int(Slider::kLinear) << 0.25
                                   << QPoint(27, 227) << QPoint(27, 222) << 1;
    QTest::newRow("vertical at 2x") << int(Qt::Vertical) << true << int(Slider::kLinear) << 0.25
                                    << QPoint(27, 227) << QPoint(27, 222) << 2;
}

void TestSlider::thumbPosition()
{
    QFETCH(int, orientation);
    QFETCH(bool, enabled);
    QFETCH(int, mode);
    QFETCH(double, value);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, outside);
    QFETCH(int, dpr);
    Slider s(Slider::kDouble, Slider::SliderMode(mode), Qt::Orientation(orientation));
    s.setPalette(TestPalette());
    s.setEnabled(enabled);
    s.setValue(value);
    s.resize(orientation == Qt::Horizontal ? QSize(305, 40) : QSize(40, 305));
    const QImage image = Render(s, dpr);
    const QColor thumb = enabled ? kEnabledThumb : kDisabledThumb;
    QCOMPARE(At(image, inside.x() * dpr, inside.y() * dpr), thumb);
    QVERIFY(At(image, outside.x() * dpr, outside.y() * dpr) != thumb);
}

void TestSlider::outOfRangeTriangle_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("base");   // column (or row) near the triangle's wide end
    QTest::addColumn<int>("tip");    // column (or row) near its point

    QTest::newRow("right") << int(Qt::Horizontal) << 2.0 << 294 << 302;
    QTest::newRow("left") << int(Qt::Horizontal) << -1.0 << 9 << 1;
    QTest::newRow("up") << int(Qt::Vertical) << 2.0 << 9 << 1;
    QTest::newRow("down") << int(Qt::Vertical) << -1.0 << 294 << 302;
}

void TestSlider::outOfRangeTriangle()
{
    QFETCH(int, orientation);
    QFETCH(double, value);
    QFETCH(int, base);
    QFETCH(int, tip);
    const bool horizontal = orientation == Qt::Horizontal;
    Slider s(Slider::kDouble, Slider::kLinear, Qt::Orientation(orientation));
    s.setPalette(TestPalette());
    s.setValue(value);
    s.resize(horizontal ? QSize(305, 40) : QSize(40, 305));
    const QImage image = Render(s);
    auto count = [&](int at) {
        return horizontal ? CountColumn(image, at, 13, 31, kEnabledThumb) : CountRow(image, at, 17, 38, kEnabledThumb);
    };
    QVERIFY2(count(base) >= 10, qPrintable(QString::number(count(base))));
    QVERIFY2(count(tip) <= 4, qPrintable(QString::number(count(tip))));
    // No rectangle: nothing of the thumb colour beyond the triangle.
    const int beyond = horizontal ? CountColumn(image, value > 1 ? 288 : 15, 0, 39, kEnabledThumb)
                                  : CountRow(image, value > 1 ? 15 : 288, 0, 39, kEnabledThumb);
    QCOMPARE(beyond, 0);
}

void TestSlider::painting_data()
{
    QTest::addColumn<int>("orientation");
    QTest::newRow("horizontal") << int(Qt::Horizontal);
    QTest::newRow("vertical") << int(Qt::Vertical);
}

// Groove, end stops, ticks and labels of a 0..1 slider with a 200-pixel tick slot:
// unit 0.1, every second tick labelled.
void TestSlider::painting()
{
    QFETCH(int, orientation);
    const bool vertical = orientation == Qt::Vertical;
    Slider s(Slider::kDouble, Slider::kLinear, Qt::Orientation(orientation));
    s.setPalette(TestPalette());
    s.setValue(0.65);
    s.resize(vertical ? QSize(40, 204) : QSize(204, 40));
    // Along the slot: horizontal x from 2 to 201, vertical y from 201 up to 2. Across:
    // groove edges at 18 and 20, centre 19; ticks start at 17 (horizontal, running
    // up) or 21 (vertical, running right), half length 9.
    const int start = vertical ? 201 : 2;
    const int dir = vertical ? -1 : 1;
    auto at = [&](const QImage& image, int along, int across) {
        return vertical ? At(image, across, along) : At(image, along, across);
    };
    const int halfTick = vertical ? 25 : 12;
    const int fullTick = vertical ? 35 : 5;

    s.setColor(QColor(200, 0, 200));
    QImage image = Render(s);
    QCOMPARE(at(image, start + dir * 30, 19), QColor(200, 0, 200));
    QCOMPARE(at(image, start + dir * 30, 18), kShadow);
    QCOMPARE(at(image, start + dir * 30, 20), kShadow);
    QCOMPARE(at(image, start, fullTick), kMid);               // end stops
    QCOMPARE(at(image, start + dir * 199, fullTick), kMid);
    for (int k = 1; k <= 9; ++k) {
        const int pixel = start + dir * 20 * k;
        QCOMPARE(at(image, pixel, halfTick), kMid);
        QVERIFY(at(image, pixel, fullTick) != kMid);
        QCOMPARE(at(image, pixel + 1, halfTick), kWindow);
    }
    // Label ink (dark, not the green of the ticks) in a stretch of the label slot
    // from `from` along the slot: after the tick horizontally, before it (above)
    // when vertical.
    auto ink = [&](int from, int to) {
        int n = 0;
        for (int along = std::min(from, to); along <= std::max(from, to); ++along)
            for (int across = vertical ? 1 : 22; across <= (vertical ? 16 : 39); ++across) {
                const QColor c = at(image, along, across);
                n += c.red() < 100 && c.green() < 100 && c.blue() < 100;
            }
        return n;
    };
    QVERIFY(ink(start + dir * 40, start + dir * 50) > 0);    // 0.2
    QCOMPARE(ink(start + dir * 20, start + dir * 30), 0);    // 0.1 has no label
    const int labelEnd = vertical ? 203 : 2;                 // minimum's label: slot start
    QVERIFY(ink(labelEnd, labelEnd + dir * 6) > 0);
    QVERIFY(ink(vertical ? 0 : 201, vertical ? 6 : 195) > 0);  // maximum's: slot end

    QLinearGradient gradient = vertical ? QLinearGradient(0, 204, 0, 0) : QLinearGradient(0, 0, 204, 0);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, Qt::blue);
    s.setColor(gradient);
    image = Render(s);
    const QColor first = at(image, start + dir * 3, 19);
    const QColor last = at(image, start + dir * 196, 19);
    QVERIFY(first.red() > 230 && first.blue() < 25);
    QVERIFY(last.blue() > 230 && last.red() < 25);
    QCOMPARE(at(image, start + dir * 30, 18), kShadow);

    s.setColor(QColor(1, 2, 3));   // back to a plain colour
    image = Render(s);
    QCOMPARE(at(image, start + dir * 196, 19), QColor(1, 2, 3));
}

void TestSlider::extremeRangesPaint_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("value");

    const struct { const char* name; double lo, hi, v; } ranges[] = {
        {"0..1e300", 0, 1e300, 5e299},
        {"-1e308..1e308", -1e308, 1e308, 0},
        {"-max..max", -std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), 1},
        {"0..1e-300", 0, 1e-300, 5e-301},
        {"0..denormal", 0, 1e-320, 0},
        {"denormal..1e308", 5e-324, 1e308, 1},
        {"1..1+ulp", 1, 1 + 2.220446049250313e-16, 1},
        {"empty", 3, 3, 3},
        {"-100..0", -100, 0, -1},
    };
    for (const auto& r : ranges) {
        QTest::addRow("linear %s", r.name) << int(Slider::kLinear) << int(Slider::kDouble) << r.lo << r.hi << r.v;
        QTest::addRow("log %s", r.name) << int(Slider::kLog) << int(Slider::kDouble) << r.lo << r.hi << r.v;
        QTest::addRow("int linear %s", r.name) << int(Slider::kLinear) << int(Slider::kInt) << r.lo << r.hi << r.v;
    }
}

// Whatever the range, a paint finishes and shows the thumb; a drag over it stays finite.
void TestSlider::extremeRangesPaint()
{
    QFETCH(int, mode);
    QFETCH(int, type);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, value);
    for (int separation : {5, 0, -7, INT_MAX}) {
        Slider s{Slider::ValueType(type), Slider::SliderMode(mode)};
        s.setPalette(TestPalette());
        s.setRange(minimum, maximum);
        s.setValue(value);
        s.setMinTickSeparation(separation);
        s.resize(305, 40);
        const QImage image = Render(s);
        int thumbPixels = 0;
        for (int x = 0; x < image.width(); ++x)
            thumbPixels += CountColumn(image, x, 0, 39, kEnabledThumb);
        QVERIFY(thumbPixels > 0);

        QTest::mousePress(&s, Qt::LeftButton, Qt::NoModifier, QPoint(2, 15));
        for (int x = 0; x < 305; x += 13) {
            SendMove(&s, QPoint(x, 15));
            QVERIFY(std::isfinite(s.value()));
        }
        QTest::mouseRelease(&s, Qt::LeftButton, Qt::NoModifier, QPoint(300, 15));
    }
}

QTEST_MAIN(TestSlider)
#include "tst_slider.moc"
