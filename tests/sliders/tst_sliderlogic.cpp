// Value mapping, drag snapping and tick layout of the sliders, without widgets.
#include <sliders/SliderScale.h>
#include <sliders/SliderSnap.h>
#include <sliders/SliderTicks.h>

#include <QtTest>

#include <cmath>
#include <limits>

using namespace Quill::UI;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

bool Close(double a, double b, double relative = 1e-12)
{
    if (a == b)
        return true;
    return std::fabs(a - b) <= relative * std::max({std::fabs(a), std::fabs(b), 1e-300});
}

// A horizontal tick slot `len` pixels long starting at pixel 2, 19 pixels high.
SliderTicks::Slot HorizontalSlot(int len)
{
    return SliderTicks::FromTickRect(QRect(QPoint(2, -1), QPoint(2 + len - 1, 17)), Qt::Horizontal);
}

QList<double> Values(const QVector<SliderTick>& ticks, bool labelledOnly = false)
{
    QList<double> out;
    for (const SliderTick& t : ticks)
        if (!labelledOnly || t.labelled)
            out << t.value;
    return out;
}

} // namespace

class TestSliderLogic : public QObject
{
    Q_OBJECT
private slots:
    void mapping_data();
    void mapping();
    void roundTrip_data();
    void roundTrip();
    void nonFiniteMapping();

    void stepFor_data();
    void stepFor();
    void everyPixelSnaps_data();
    void everyPixelSnaps();
    void dragValueEdges();

    void linearTicks_data();
    void linearTicks();
    void logTables_data();
    void logTables();
    void logTicks();
    void squareTicks_data();
    void squareTicks();
    void extremeRangesAreBounded_data();
    void extremeRangesAreBounded();
    void labelClearOfEnds_data();
    void labelClearOfEnds();
};

// --- mapping -----------------------------------------------------------------

void TestSliderLogic::mapping_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<bool>("integer");
    QTest::addColumn<bool>("nonLinear");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("clamp");
    QTest::addColumn<double>("position");

    QTest::newRow("linear quarter") << 0.0 << 1.0 << false << false << 0.25 << true << 0.25;
    QTest::newRow("linear above max unclamped") << 0.0 << 1.0 << false << false << 2.0 << false << 2.0;
    QTest::newRow("linear above max clamped") << 0.0 << 1.0 << false << false << 2.0 << true << 1.0;
    QTest::newRow("linear below min clamped") << 0.0 << 1.0 << false << false << -3.0 << true << 0.0;
    QTest::newRow("empty range") << 5.0 << 5.0 << false << true << 7.0 << false << 0.0;
    QTest::newRow("int rounds half away") << 0.0 << 10.0 << true << false << 2.5 << false << 0.3;
    QTest::newRow("int rounds negative half away") << -10.0 << 0.0 << true << false << -2.5 << false << 0.7;
    QTest::newRow("log 1..100 at 10") << 1.0 << 100.0 << false << true << 10.0 << false << 0.5;
    QTest::newRow("log below min is 0") << 1.0 << 100.0 << false << true << 0.5 << false << 0.0;
    QTest::newRow("sqrt 0..100 at 25") << 0.0 << 100.0 << false << true << 25.0 << false << 0.5;
    QTest::newRow("sqrt negative is 0") << 0.0 << 100.0 << false << true << -4.0 << false << 0.0;
    QTest::newRow("two-sided zero at a third") << -25.0 << 100.0 << false << true << 0.0 << false << 1.0 / 3;
    QTest::newRow("two-sided min") << -25.0 << 100.0 << false << true << -25.0 << false << 0.0;
    QTest::newRow("two-sided max") << -25.0 << 100.0 << false << true << 100.0 << false << 1.0;
    QTest::newRow("mirrored log -10") << -100.0 << -1.0 << false << true << -10.0 << false << 0.5;
    QTest::newRow("mirrored log min") << -100.0 << -1.0 << false << true << -100.0 << false << 0.0;
    QTest::newRow("mirrored sqrt -25") << -100.0 << 0.0 << false << true << -25.0 << false << 0.5;
    QTest::newRow("mirrored linear") << -100.0 << -1.0 << false << false << -100.0 << false << 0.0;
    QTest::newRow("overflowing width, middle") << -1e308 << 1e308 << false << false << 0.0 << false << 0.5;
    QTest::newRow("overflowing width, max") << -1e308 << 1e308 << false << false << 1e308 << false << 1.0;
    QTest::newRow("tiny width") << 0.0 << 1e-300 << false << false << 5e-301 << false << 0.5;
    QTest::newRow("swapped range") << 1.0 << 0.0 << false << false << 0.25 << false << 0.25;
}

void TestSliderLogic::mapping()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(bool, integer);
    QFETCH(bool, nonLinear);
    QFETCH(double, value);
    QFETCH(bool, clamp);
    QFETCH(double, position);
    const SliderScale scale(minimum, maximum, integer, nonLinear);
    const double p = scale.valueToPosition(value, clamp);
    QVERIFY2(Close(p, position), qPrintable(QString::number(p, 'g', 17)));
}

void TestSliderLogic::roundTrip_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<bool>("nonLinear");

    const struct { const char* name; double lo, hi; } ranges[] = {
        {"0..1", 0, 1},           {"1..1000", 1, 1000},        {"0..100", 0, 100},
        {"-25..100", -25, 100},   {"-100..-1", -100, -1},      {"-100..0", -100, 0},
        {"-1..1", -1, 1},         {"1e-6..1e6", 1e-6, 1e6},    {"-1e300..1e300", -1e300, 1e300},
        {"-1e308..1e308", -1e308, 1e308}, {"0..1e-300", 0, 1e-300}, {"1..1+1e-9", 1, 1 + 1e-9},
        {"-5..-4", -5, -4},       {"-1e-3..7", -1e-3, 7},
    };
    for (const auto& r : ranges) {
        QTest::addRow("linear %s", r.name) << r.lo << r.hi << false;
        QTest::addRow("nonlinear %s", r.name) << r.lo << r.hi << true;
    }
}

void TestSliderLogic::roundTrip()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(bool, nonLinear);
    const SliderScale scale(minimum, maximum, false, nonLinear);

    QCOMPARE(scale.positionToValue(0.0), minimum);
    QCOMPARE(scale.positionToValue(1.0), maximum);
    QCOMPARE(scale.valueToPosition(minimum, false), 0.0);
    QVERIFY(Close(scale.valueToPosition(maximum, false), 1.0));

    for (int i = 1; i < 1000; ++i) {
        const double p = i / 1000.0;
        const double v = scale.positionToValue(p);
        QVERIFY2(std::isfinite(v), qPrintable(QString::number(p)));
        QVERIFY2(v >= minimum && v <= maximum, qPrintable(QString::number(v, 'g', 17)));
        const double back = scale.valueToPosition(v, false);
        QVERIFY2(std::fabs(back - p) < 1e-6, qPrintable(QStringLiteral("p %1 -> v %2 -> p %3")
                                                         .arg(p).arg(v, 0, 'g', 17).arg(back, 0, 'g', 17)));
        // And value -> position -> value, relative to the range's scale.
        const double again = scale.positionToValue(back);
        const double tolerance = 1e-6 * std::max(std::fabs(v), std::fabs(maximum - minimum) * 1e-3);
        QVERIFY2(std::fabs(again - v) <= tolerance || Close(again, v, 1e-9),
                 qPrintable(QStringLiteral("%1 vs %2").arg(v, 0, 'g', 17).arg(again, 0, 'g', 17)));
    }
}

void TestSliderLogic::nonFiniteMapping()
{
    for (bool nonLinear : {false, true}) {
        for (const auto& range : {std::make_pair(0.0, 1.0), std::make_pair(1.0, 1000.0),
                                  std::make_pair(-25.0, 100.0), std::make_pair(-100.0, -1.0)}) {
            const SliderScale scale(range.first, range.second, false, nonLinear);
            QVERIFY(std::isnan(scale.valueToPosition(kNaN, false)));
            QCOMPARE(scale.valueToPosition(kNaN, true), 0.0);
            QCOMPARE(scale.valueToPosition(kInf, true), 1.0);
            QCOMPARE(scale.valueToPosition(-kInf, true), 0.0);
            QCOMPARE(scale.positionToValue(kNaN), range.first);
            QCOMPARE(scale.positionToValue(kInf), range.second);
            QCOMPARE(scale.positionToValue(-kInf), range.first);
        }
    }
    QCOMPARE(SliderScale::RoundHalfAway(kInf), kInf);
    QVERIFY(std::isnan(SliderScale::RoundHalfAway(kNaN)));
    QCOMPARE(SliderScale::RoundHalfAway(1e300), 1e300);
    QCOMPARE(SliderScale::RoundHalfAway(-0.5), -1.0);
}

// --- snapping ----------------------------------------------------------------

void TestSliderLogic::stepFor_data()
{
    QTest::addColumn<double>("worth");
    QTest::addColumn<double>("step");

    QTest::newRow("1/300") << 1.0 / 300 << 0.005;
    QTest::newRow("0.01") << 0.01 << 0.01;
    QTest::newRow("0.025") << 0.025 << 0.05;
    QTest::newRow("0.02 exactly") << 0.02 << 0.02;
    QTest::newRow("0.005 exactly gives 0.01") << 0.005 << 0.01;
    QTest::newRow("50 exactly gives 100") << 50.0 << 100.0;
    QTest::newRow("1") << 1.0 << 1.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("3") << 3.0 << 5.0;
    QTest::newRow("4.9") << 4.9 << 5.0;
    QTest::newRow("7") << 7.0 << 10.0;
    QTest::newRow("just above 0.01") << 0.010000000000000009 << 0.01;
    QTest::newRow("just below 0.01") << 0.009999999999999995 << 0.01;
    QTest::newRow("just above 0.02") << 0.020000000000000018 << 0.02;
    QTest::newRow("clearly above 0.01") << 0.0101 << 0.02;
    QTest::newRow("1e-8") << 1e-8 << 1e-8;
    QTest::newRow("1e8") << 1e8 << 1e8;
    QTest::newRow("below snapping bound") << 1e-10 << 1.0;
    QTest::newRow("above snapping bound") << 1e10 << 1.0;
    QTest::newRow("NaN") << kNaN << 1.0;
}

void TestSliderLogic::stepFor()
{
    QFETCH(double, worth);
    QFETCH(double, step);
    const SliderSnap::Step s = SliderSnap::StepFor(worth);
    QVERIFY2(Close(s.value(), step, 1e-15), qPrintable(QString::number(s.value(), 'g', 17)));
}

void TestSliderLogic::everyPixelSnaps_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<bool>("integer");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("step");

    QTest::newRow("0..1 over 300") << 0.0 << 1.0 << false << 300 << 0.005;
    QTest::newRow("0..1 over 100") << 0.0 << 1.0 << false << 100 << 0.01;
    QTest::newRow("0..1 over 40") << 0.0 << 1.0 << false << 40 << 0.05;
    QTest::newRow("0..1 over 50") << 0.0 << 1.0 << false << 50 << 0.02;
    QTest::newRow("0..1 over 1000") << 0.0 << 1.0 << false << 1000 << 0.001;
    QTest::newRow("0..1 upwards over 100") << 0.0 << 1.0 << false << -100 << 0.01;
    QTest::newRow("0..10 over 1000") << 0.0 << 10.0 << false << 1000 << 0.01;
    QTest::newRow("-5..5 over 100") << -5.0 << 5.0 << false << 100 << 0.1;
    QTest::newRow("0.3..0.7 over 400") << 0.3 << 0.7 << false << 400 << 0.001;
    QTest::newRow("100..200 over 1000") << 100.0 << 200.0 << false << 1000 << 0.1;
    QTest::newRow("-100..-1 over 99") << -100.0 << -1.0 << false << 99 << 1.0;
    QTest::newRow("1e6..1e6+1 over 1000") << 1e6 << 1e6 + 1 << false << 1000 << 0.001;
    QTest::newRow("int 0..10 over 200") << 0.0 << 10.0 << true << 200 << 1.0;
    QTest::newRow("int 0..10000 over 200") << 0.0 << 10000.0 << true << 200 << 100.0;
    QTest::newRow("int 0..100 over 50") << 0.0 << 100.0 << true << 50 << 2.0;
    QTest::newRow("int 0..100 over 40: rounding makes no 2 of 2.5") << 0.0 << 100.0 << true << 40 << 5.0;
}

// Every pixel of the slot must use the step of the exact pixel worth: the value is
// a multiple of it and no further from the raw value than half a step.
void TestSliderLogic::everyPixelSnaps()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(bool, integer);
    QFETCH(int, length);
    QFETCH(double, step);
    const SliderScale scale(minimum, maximum, integer, false);
    const int pixels = std::abs(length);
    const int sign = length < 0 ? -1 : 1;
    for (int i = 0; i < pixels; ++i) {
        const int offset = sign * i;
        const double v = SliderSnap::DragValue(scale, offset, length);
        const double raw = scale.positionToValue(double(offset) / length);
        const double multiple = v / step;
        QVERIFY2(std::fabs(multiple - std::round(multiple)) < 1e-6,
                 qPrintable(QStringLiteral("pixel %1: %2 is no multiple of %3").arg(i).arg(v, 0, 'g', 17).arg(step)));
        QVERIFY2(std::fabs(v - raw) <= step / 2 * (1 + 1e-9),
                 qPrintable(QStringLiteral("pixel %1: %2 snapped to %3").arg(i).arg(raw, 0, 'g', 17).arg(v, 0, 'g', 17)));
    }
}

void TestSliderLogic::dragValueEdges()
{
    const SliderScale unit(0, 1, false, false);
    QVERIFY(std::isnan(SliderSnap::DragValue(unit, 5, 0)));            // empty slot
    QCOMPARE(SliderSnap::DragValue(unit, 150, 100), 1.0);              // past the end: maximum
    QCOMPARE(SliderSnap::DragValue(unit, -20, 100), 0.0);              // before the start: minimum
    QCOMPARE(SliderSnap::DragValue(unit, 7, 100), 0.07);               // exact decimal, no 0.07000000000000001

    // Snapping may land just outside the range when the ends are not multiples.
    const SliderScale odd(0.003, 0.997, false, false);
    QCOMPARE(SliderSnap::DragValue(odd, 0, 100), 0.0);

    // Log scale: the step follows the local pixel worth.
    const SliderScale log(1, 1000, false, true);
    QCOMPARE(SliderSnap::DragValue(log, 10, 300), 1.25);   // 1.2589, a pixel worth 0.03
    QCOMPARE(SliderSnap::DragValue(log, 298, 300), 950.0); // 954.99, a pixel worth 21.9

    // Huge and tiny ranges give finite values without snapping noise.
    const SliderScale huge(-1e308, 1e308, false, false);
    QVERIFY(std::isfinite(SliderSnap::DragValue(huge, 50, 100)));
    const SliderScale tiny(0, 1e-300, false, false);
    const double t = SliderSnap::DragValue(tiny, 50, 100);
    QVERIFY(Close(t, 5e-301));
}

// --- ticks -------------------------------------------------------------------

void TestSliderLogic::linearTicks_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<bool>("integer");
    QTest::addColumn<int>("length");   // negative: a vertical slot, running upwards
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QList<double>>("labelled");

    QTest::newRow("0..1 over 200: unit 0.1, every second labelled")
        << 0.0 << 1.0 << false << 200
        << QList<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}
        << QList<double>{0.2, 0.4, 0.6, 0.8};
    QTest::newRow("vertical 0..1 over 200")
        << 0.0 << 1.0 << false << -200
        << QList<double>{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}
        << QList<double>{0.2, 0.4, 0.6, 0.8};
    QTest::newRow("int 0..10 over 1000 keeps unit 1")
        << 0.0 << 10.0 << true << 1000
        << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9}
        << QList<double>{1, 2, 3, 4, 5, 6, 7, 8, 9};
    QTest::newRow("minimum on a multiple gets no tick")
        << 0.3 << 1.3 << false << 200
        << QList<double>{0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.1, 1.2}
        << QList<double>{0.4, 0.6, 0.8, 1.0, 1.2};
    QTest::newRow("across zero: zero is exact")
        << -0.5 << 0.5 << false << 200
        << QList<double>{-0.4, -0.3, -0.2, -0.1, 0.0, 0.1, 0.2, 0.3, 0.4}
        << QList<double>{-0.4, -0.2, 0.0, 0.2, 0.4};
    QTest::newRow("0..100 over 100: spacing 10 labels every fifth")
        << 0.0 << 100.0 << false << 100
        << QList<double>{10, 20, 30, 40, 50, 60, 70, 80, 90}
        << QList<double>{50};
    QTest::newRow("0..100 over 60: spacing 6, majors only")
        << 0.0 << 100.0 << false << 60
        << QList<double>{10, 20, 30, 40, 50, 60, 70, 80, 90}
        << QList<double>{};
    QTest::newRow("0..1000 over 300: spacing 30 labels all")
        << 0.0 << 1000.0 << false << 300
        << QList<double>{100, 200, 300, 400, 500, 600, 700, 800, 900}
        << QList<double>{100, 200, 300, 400, 500, 600, 700, 800, 900};
}

void TestSliderLogic::linearTicks()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(bool, integer);
    QFETCH(int, length);
    QFETCH(QList<double>, values);
    QFETCH(QList<double>, labelled);
    const SliderScale scale(minimum, maximum, integer, false);
    // A vertical slot from y 201 up to 2, x 12..20.
    const SliderTicks::Slot slot = length > 0 ? HorizontalSlot(length)
        : SliderTicks::FromTickRect(QRect(QPoint(12, 2), QPoint(20, 1 - length)), Qt::Vertical);
    QCOMPARE(slot.length(), std::abs(length));
    const QVector<SliderTick> ticks = SliderTicks::Linear(scale, slot, 5);
    QCOMPARE(Values(ticks), values);
    QCOMPARE(Values(ticks, true), labelled);
    for (const SliderTick& t : ticks) {
        const bool major = std::fmod(std::round((t.value - 0) / (values.at(1) - values.at(0))), 10.0) == 0.0;
        QCOMPARE(t.length, major ? slot.cross : slot.cross / 2);
        QCOMPARE(t.pixel, int(std::floor(slot.start + (t.value - minimum) * length / (maximum - minimum))));
    }
}

void TestSliderLogic::logTables_data()
{
    QTest::addColumn<double>("ppd");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QList<int>>("labelled");

    QTest::newRow("wide decade: everything") << 1000.0 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}
                                             << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
    QTest::newRow("narrow decade: only 1") << 2.0 << QList<int>{1} << QList<int>{1};
    // 1..1000 over 300 pixels.
    QTest::newRow("three decades over 300") << 300.0 / std::log(1000.0)
                                            << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}
                                            << QList<int>{1, 2, 5};
}

void TestSliderLogic::logTables()
{
    QFETCH(double, ppd);
    QFETCH(QList<int>, ticked);
    QFETCH(QList<int>, labelled);
    bool tick[10];
    bool label[10];
    SliderTicks::LogTables(ppd, 5, tick, label);
    QList<int> t, l;
    for (int d = 1; d <= 9; ++d) {
        if (tick[d])
            t << d;
        if (label[d])
            l << d;
    }
    QCOMPARE(t, ticked);
    QCOMPARE(l, labelled);
}

void TestSliderLogic::logTicks()
{
    bool tick[10];
    bool label[10];
    const SliderTicks::Slot slot = HorizontalSlot(300);
    const SliderScale scale(1, 1000, false, true);
    const QVector<SliderTick> ticks = SliderTicks::Log(scale, slot, 5, tick, label);

    // 10 and 100 are full-length, labelled ticks; 1 and 1000 sit on the ends and are left out.
    QList<double> full;
    for (const SliderTick& t : ticks) {
        QVERIFY(t.value > 1.0 && t.value < 1000.0);
        if (t.length == slot.cross) {
            QVERIFY(t.labelled);
            full << t.value;
        }
    }
    QCOMPARE(full, (QList<double>{10, 100}));
    QCOMPARE(ticks.first().value, 2.0);
    QCOMPARE(ticks.first().pixel, 2 + int(299 * std::log(2.0) / std::log(1000.0)));

    // Mirrored: the same digits, negated (truncation toward the other end may
    // drop one tick next to an end).
    const QList<double> positive = Values(ticks);
    const QVector<SliderTick> mirrored = SliderTicks::Log(SliderScale(-1000, -1, false, true), slot, 5, tick, label);
    QVERIFY(std::abs(mirrored.size() - ticks.size()) <= 1);
    for (const SliderTick& t : mirrored)
        QVERIFY(positive.contains(-t.value));

    // A range touching zero has nothing logarithmic to show.
    QVERIFY(SliderTicks::Log(SliderScale(0, 100, false, true), slot, 5, tick, label).isEmpty());
    QVERIFY(!tick[1]);

    // Sixty decades over 300 pixels: whole decades are thinned.
    const QVector<SliderTick> wide = SliderTicks::Log(SliderScale(1e-30, 1e30, false, true), slot, 5, tick, label);
    QVERIFY(!wide.isEmpty());
    QVERIFY(wide.size() < 60);
}

void TestSliderLogic::squareTicks_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<QList<double>>("mustHave");
    QTest::addColumn<QList<double>>("mustLabel");
    QTest::addColumn<bool>("integer");

    QTest::newRow("0..100") << 0.0 << 100.0 << QList<double>{1, 10, 20, 50} << QList<double>{10} << false;
    QTest::newRow("-25..100 has a labelled zero") << -25.0 << 100.0 << QList<double>{0, -10, 10, 50}
                                                   << QList<double>{0} << false;
    QTest::newRow("-1000..-1 mirrored log") << -1000.0 << -1.0 << QList<double>{-10, -100, -2, -20}
                                            << QList<double>{-10, -100} << false;
    QTest::newRow("-100..-25 within a decade") << -100.0 << -25.0 << QList<double>{-30, -50, -90} << QList<double>{}
                                               << false;
    QTest::newRow("-100..0 ends at zero") << -100.0 << 0.0 << QList<double>{-1, -10, -20, -50}
                                          << QList<double>{-10} << false;
    QTest::newRow("int 0..100") << 0.0 << 100.0 << QList<double>{1, 2, 10, 20, 50} << QList<double>{1, 10} << true;
    QTest::newRow("int -25..100") << -25.0 << 100.0 << QList<double>{0, -1, -10, 1, 10, 50} << QList<double>{0, 10}
                                  << true;
}

void TestSliderLogic::squareTicks()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(QList<double>, mustHave);
    QFETCH(QList<double>, mustLabel);
    QFETCH(bool, integer);
    const SliderTicks::Slot slot = HorizontalSlot(300);
    const SliderScale scale(minimum, maximum, integer, true);
    const QVector<SliderTick> ticks = SliderTicks::Square(scale, slot, 5);
    const QList<double> values = Values(ticks);
    const QList<double> labels = Values(ticks, true);
    for (double v : mustHave)
        QVERIFY2(values.contains(v), qPrintable(QStringLiteral("no tick at %1").arg(v)));
    for (double v : mustLabel)
        QVERIFY2(labels.contains(v), qPrintable(QStringLiteral("no label at %1").arg(v)));
    if (maximum == 0.0) {
        // The mirror image of the same range starting at zero.
        QList<double> mirrored;
        for (double v : Values(SliderTicks::Square(SliderScale(0, -minimum, false, true), slot, 5)))
            mirrored << -v;
        QCOMPARE(values, mirrored);
    }
    for (const SliderTick& t : ticks) {
        QVERIFY(!integer || t.value == std::round(t.value));
        QCOMPARE(t.pixel, SliderTicks::Place(scale, slot, t.value));
        QVERIFY(std::abs(t.pixel - slot.start) >= 5 && std::abs(t.pixel - slot.end) >= 5);
        if (t.value == 0.0) {
            QCOMPARE(t.length, slot.cross);
            QCOMPARE(t.pixel, int((2.0 / 3) * slot.start + slot.end / 3.0));
        }
    }
}

void TestSliderLogic::extremeRangesAreBounded_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<bool>("integer");

    QTest::newRow("0..1e300") << 0.0 << 1e300 << false;
    QTest::newRow("-1e308..1e308") << -1e308 << 1e308 << false;
    QTest::newRow("-max..max") << -std::numeric_limits<double>::max() << std::numeric_limits<double>::max() << false;
    QTest::newRow("0..1e-300") << 0.0 << 1e-300 << false;
    QTest::newRow("0..denormal") << 0.0 << 1e-320 << false;
    QTest::newRow("1..1+ulp") << 1.0 << std::nextafter(1.0, 2.0) << false;
    QTest::newRow("1e300..1e300+huge ulp") << 1e300 << std::nextafter(1e300, 2e300) << false;
    QTest::newRow("int 0..1e-300") << 0.0 << 1e-300 << true;
    QTest::newRow("int -1e18..1e18") << -1e18 << 1e18 << true;
    QTest::newRow("denormal..1e308") << 5e-324 << 1e308 << false;
    QTest::newRow("-1e308..1e-300") << -1e308 << 1e-300 << false;
    QTest::newRow("NaN range") << kNaN << 1.0 << false;
    QTest::newRow("infinite range") << 0.0 << kInf << false;
}

// Whatever the range, every routine finishes with a bounded number of ticks, all
// inside the slot.
void TestSliderLogic::extremeRangesAreBounded()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(bool, integer);
    const SliderTicks::Slot slot = HorizontalSlot(300);
    bool tick[10];
    bool label[10];
    for (bool nonLinear : {false, true}) {
        const SliderScale scale(minimum, maximum, integer, nonLinear);
        const QVector<SliderTick> all[] = {SliderTicks::Linear(scale, slot, 5),
                                           SliderTicks::Log(scale, slot, 5, tick, label),
                                           SliderTicks::Square(scale, slot, 5),
                                           SliderTicks::Linear(scale, slot, 0),
                                           SliderTicks::Square(scale, slot, -3)};
        for (const QVector<SliderTick>& ticks : all) {
            QVERIFY(ticks.size() <= 6000);
            for (const SliderTick& t : ticks) {
                QVERIFY(t.pixel >= slot.start - 1 && t.pixel <= slot.end + 1);
                QVERIFY(!std::isnan(t.value));
            }
        }
        for (int i = -5; i < 310; i += 7)
            QVERIFY(!std::isnan(SliderSnap::DragValue(scale, i, 300)) || std::isnan(minimum));
    }
    // The linear routine on the wide finite ranges still shows a scale.
    if (std::isfinite(minimum) && std::isfinite(maximum) && maximum - minimum > 1e200 && minimum <= 0) {
        const QVector<SliderTick> ticks = SliderTicks::Linear(SliderScale(minimum, maximum, integer, false), slot, 5);
        QVERIFY(ticks.size() >= 5);
        for (int i = 1; i < ticks.size(); ++i)
            QVERIFY(ticks.at(i).pixel > ticks.at(i - 1).pixel);
    }
}

void TestSliderLogic::labelClearOfEnds_data()
{
    QTest::addColumn<int>("pixel");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("clear");

    // Horizontal label slot x 2..301; minimum label 20 wide, maximum 16, tick label 12.
    QTest::newRow("middle") << 150 << false << true;
    QTest::newRow("touching the minimum label") << 23 << false << false;
    QTest::newRow("just clear of the minimum label") << 24 << false << true;
    QTest::newRow("running into the maximum label") << 275 << false << false;
    QTest::newRow("just clear of the maximum label") << 272 << false << true;
    // Vertical label slot y 0..299 (bottom is the minimum), labels 10 high.
    QTest::newRow("vertical middle") << 150 << true << true;
    QTest::newRow("vertical on the minimum label") << 290 << true << false;
    QTest::newRow("vertical just above the minimum label") << 287 << true << true;
    QTest::newRow("vertical under the maximum label") << 20 << true << false;
    QTest::newRow("vertical just below the maximum label") << 21 << true << true;
}

void TestSliderLogic::labelClearOfEnds()
{
    QFETCH(int, pixel);
    QFETCH(bool, vertical);
    QFETCH(bool, clear);
    const QRect labels = vertical ? QRect(QPoint(1, 0), QPoint(20, 299)) : QRect(QPoint(2, 20), QPoint(301, 40));
    QCOMPARE(SliderTicks::LabelClearOfEnds(pixel, QSize(12, 10), labels, QSize(20, 10), QSize(16, 10), vertical),
             clear);
}

QTEST_APPLESS_MAIN(TestSliderLogic)
#include "tst_sliderlogic.moc"
