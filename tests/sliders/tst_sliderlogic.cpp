// The sliders' pure logic: value mapping, drag snapping, tick layouts.
#include <sliders/LogSliderScale_p.h>
#include <sliders/SliderScale_p.h>
#include <sliders/SliderSnap_p.h>
#include <sliders/SliderTicks_p.h>

#include <QtTest>

#include <climits>
#include <cmath>
#include <limits>

using namespace Quill::UI;
using Doubles = QList<double>;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

bool Close(double a, double b, double relative = 1e-12)
{
    return a == b || std::fabs(a - b) <= relative * std::max({std::fabs(a), std::fabs(b), 1e-300});
}

// A horizontal tick slot `len` pixels long from x 2, 19 high; for a negative `len`
// a vertical one from y 1 - len up to 2.
SliderTicks::Slot MakeSlot(int len)
{
    return len < 0 ? SliderTicks::FromTickRect(QRect(QPoint(12, 2), QPoint(20, 1 - len)), Qt::Vertical)
                   : SliderTicks::FromTickRect(QRect(QPoint(2, -1), QPoint(1 + len, 17)), Qt::Horizontal);
}

Doubles Values(const QVector<SliderTick>& ticks, bool labelledOnly = false)
{
    Doubles out;
    for (const SliderTick& t : ticks)
        if (!labelledOnly || t.labelled)
            out << t.value;
    return out;
}

// A slider scale as one table column.
struct Range {
    double minimum, maximum;
    bool integer, nonLinear;
    SliderScale scale() const { return SliderScale(minimum, maximum, integer, nonLinear); }
};

} // namespace

Q_DECLARE_METATYPE(Range)

class TestSliderLogic : public QObject
{
    Q_OBJECT
private slots:
    void mapping_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("position");   // unclamped
        QTest::newRow("linear") << Range{0, 1, false, false} << 0.25 << 0.25;
        QTest::newRow("above max") << Range{0, 1, false, false} << 2.0 << 2.0;
        QTest::newRow("empty range") << Range{5, 5, false, true} << 7.0 << 0.0;
        QTest::newRow("int half away") << Range{0, 10, true, false} << 2.5 << 0.3;
        QTest::newRow("int negative half away") << Range{-10, 0, true, false} << -2.5 << 0.7;
        QTest::newRow("log") << Range{1, 100, false, true} << 10.0 << 0.5;
        QTest::newRow("log below min") << Range{1, 100, false, true} << 0.5 << 0.0;
        QTest::newRow("sqrt") << Range{0, 100, false, true} << 25.0 << 0.5;
        QTest::newRow("two-sided zero") << Range{-25, 100, false, true} << 0.0 << 1.0 / 3;
        QTest::newRow("mirrored log") << Range{-100, -1, false, true} << -10.0 << 0.5;
        QTest::newRow("overflowing width") << Range{-1e308, 1e308, false, false} << 0.0 << 0.5;
        QTest::newRow("swapped range") << Range{1, 0, false, false} << 0.25 << 0.25;
        QTest::newRow("NaN") << Range{0, 1, false, true} << kNaN << kNaN;
        QTest::newRow("infinity") << Range{1, 10, false, false} << kInf << kInf;
    }

    // valueToPosition, clamped and not, and positionToValue back.
    void mapping()
    {
        QFETCH(Range, range);
        QFETCH(double, value);
        QFETCH(double, position);
        const SliderScale scale = range.scale();
        const double p = scale.valueToPosition(value, false);
        QVERIFY2(Close(p, position) || (std::isnan(p) && std::isnan(position)), qPrintable(QString::number(p, 'g', 17)));
        QCOMPARE(scale.valueToPosition(value, true), position > 0 ? std::min(position, 1.0) : 0.0);
        const double back = scale.positionToValue(position);
        if (position > 0 && position < 1)
            QVERIFY(Close(back, range.integer ? std::round(value) : value, 1e-9));
        else if (!(position > 0))
            QCOMPARE(back, scale.minimum());
        else
            QCOMPARE(back, scale.maximum());
    }

    void everyPixelSnapsInRange_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<int>("length");
        QTest::addColumn<double>("step");
        QTest::newRow("0..1 over 300") << Range{0, 1, false, false} << 300 << 0.005;
        QTest::newRow("0..1 over 50") << Range{0, 1, false, false} << 50 << 0.02;
        QTest::newRow("0..1 upwards over 100") << Range{0, 1, false, false} << -100 << 0.01;
        QTest::newRow("int 0..10 over 200") << Range{0, 10, true, false} << 200 << 1.0;
        QTest::newRow("int 0..100 over 40: no 2 of 2.5") << Range{0, 100, true, false} << 40 << 5.0;
        // Steps that do not divide the ends: the end pixels stay on the ends.
        QTest::newRow("1..1000 over 195") << Range{1, 1000, false, false} << 195 << 10.0;
        QTest::newRow("int 1..100 over 25") << Range{1, 100, true, false} << 25 << 5.0;
        QTest::newRow("-100..-1 upwards over 25") << Range{-100, -1, false, false} << -25 << 5.0;
    }

    // Every pixel uses the step of the exact pixel worth (rounding noise ignored) and
    // selects a value in range: a multiple of the step within half a step, or an end.
    void everyPixelSnapsInRange()
    {
        QFETCH(Range, range);
        QFETCH(int, length);
        QFETCH(double, step);
        const SliderScale scale = range.scale();
        const double minimum = range.minimum;
        const double maximum = range.maximum;
        for (int i = 0; i <= std::abs(length); ++i) {
            const int offset = length < 0 ? -i : i;
            const double v = SliderSnap::DragValue(scale, offset, length);
            const double raw = scale.positionToValue(double(offset) / length);
            const QString where = QStringLiteral("pixel %1: %2 -> %3").arg(i).arg(raw, 0, 'g', 17).arg(v, 0, 'g', 17);
            QVERIFY2(v >= minimum && v <= maximum, qPrintable(where));
            QVERIFY2(v == minimum || v == maximum || std::fabs(v / step - std::round(v / step)) < 1e-6, qPrintable(where));
            QVERIFY2(std::fabs(v - raw) <= step / 2 * (1 + 1e-9), qPrintable(where));
        }
    }

    // Random ranges (negative, fractional, tiny, huge, integer, non-linear) on slots of 1
    // to 40 pixels either way: mapping round-trips, and the pointer at every pixel and
    // beyond both ends selects a value in range, whole on an integer scale when it can.
    void randomRangesMapAndDragInRange()
    {
        QRandomGenerator random(17);
        for (int round = 0; round < 3000; ++round) {
            const double size = std::pow(10.0, random.bounded(24) - 12);
            const double a = (random.generateDouble() - 0.5) * size;
            const double b = a + random.generateDouble() * size * (random.bounded(2) ? 1 : 100);
            const bool integer = random.bounded(3) == 0;
            const SliderScale scale(a, b, integer, random.bounded(2));
            const SliderScale exact(a, b, false, scale.isNonLinear());
            const int length = (1 + random.bounded(40)) * (random.bounded(2) ? 1 : -1);
            for (int i = -3; i <= std::abs(length) + 3; ++i) {
                const double v = SliderSnap::DragValue(scale, length < 0 ? -i : i, length);
                const QString where = QStringLiteral("%1..%2 over %3 at %4: %5").arg(a, 0, 'g', 17).arg(b, 0, 'g', 17)
                                          .arg(length).arg(i).arg(v, 0, 'g', 17);
                QVERIFY2(v >= a && v <= b, qPrintable(where));
                QVERIFY2(!integer || std::ceil(a) > std::floor(b) || v == std::round(v), qPrintable(where));
                const double p = double(i) / std::abs(length);
                if (p > 0 && p < 1 && a < b)
                    QVERIFY2(std::fabs(exact.valueToPosition(exact.positionToValue(p), false) - p) < 1e-6, qPrintable(where));
            }
        }
    }

    void dragValue_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<double>("value");
        QTest::newRow("empty slot") << Range{0, 1, false, false} << qint64(5) << qint64(0) << kNaN;
        QTest::newRow("exact decimal") << Range{0, 1, false, false} << qint64(7) << qint64(100) << 0.07;
        QTest::newRow("step 0.01 at 0.005") << Range{0, 1, false, false} << qint64(1) << qint64(200) << 0.01;
        QTest::newRow("step 100 at 50") << Range{0, 10000, false, false} << qint64(1) << qint64(200) << 100.0;
        QTest::newRow("odd ends stay ends") << Range{0.003, 0.997, false, false} << qint64(0) << qint64(100) << 0.003;
        QTest::newRow("log: local step 0.05") << Range{1, 1000, false, true} << qint64(10) << qint64(300) << 1.25;
        QTest::newRow("log: local step 50") << Range{1, 1000, false, true} << qint64(298) << qint64(300) << 950.0;
        QTest::newRow("tiny range") << Range{0, 1e-300, false, false} << qint64(50) << qint64(100) << 5e-301;
        QTest::newRow("worth above the bound: raw") << Range{0, 3e11, false, false} << qint64(1) << qint64(100) << 3e9;
        QTest::newRow("pointer far above, vertical") << Range{0, 1, false, false} << qint64(INT_MIN) - 302 << qint64(-300) << 1.0;
        QTest::newRow("pointer far right") << Range{0, 1, false, false} << qint64(INT_MAX) << qint64(300) << 1.0;
    }

    void dragValue()
    {
        QFETCH(Range, range);
        QFETCH(qint64, offset);
        QFETCH(qint64, length);
        QFETCH(double, value);
        const double v = SliderSnap::DragValue(range.scale(), offset, length);
        QVERIFY2(std::isnan(value) ? std::isnan(v) : Close(v, value), qPrintable(QString::number(v, 'g', 17)));
    }

    void linearTicks_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<int>("length");   // negative: a vertical slot, running upwards
        QTest::addColumn<Doubles>("values");
        QTest::addColumn<Doubles>("labelled");
        const Doubles tenths{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
        const Doubles tens{10, 20, 30, 40, 50, 60, 70, 80, 90};
        QTest::newRow("0..1 over 200") << Range{0, 1, false, false} << 200 << tenths << Doubles{0.2, 0.4, 0.6, 0.8};
        QTest::newRow("vertical") << Range{0, 1, false, false} << -200 << tenths << Doubles{0.2, 0.4, 0.6, 0.8};
        QTest::newRow("int keeps unit 1") << Range{0, 10, true, false} << 1000 << Doubles{1, 2, 3, 4, 5, 6, 7, 8, 9} << Doubles{1, 2, 3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("minimum on a multiple, zero exact") << Range{-0.3, 0.7, false, false} << 200 << Doubles{-0.2, -0.1, 0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6} << Doubles{-0.2, 0, 0.2, 0.4, 0.6};
        QTest::newRow("spacing 10: every fifth") << Range{0, 100, false, false} << 100 << tens << Doubles{50};
        QTest::newRow("spacing 30: all") << Range{0, 100, false, false} << 300 << tens << tens;
    }

    void linearTicks()
    {
        QFETCH(Range, range);
        QFETCH(int, length);
        QFETCH(Doubles, values);
        QFETCH(Doubles, labelled);
        const SliderTicks::Slot slot = MakeSlot(length);
        QCOMPARE(slot.length(), std::abs(length));
        const QVector<SliderTick> ticks = SliderTicks::Linear(range.scale(), slot, 5);
        QCOMPARE(Values(ticks), values);
        QCOMPARE(Values(ticks, true), labelled);
        for (const SliderTick& t : ticks) {
            const bool major = std::fmod(std::round(t.value / (values.at(1) - values.at(0))), 10.0) == 0.0;
            QCOMPARE(t.length, major ? slot.cross : slot.cross / 2);
            QCOMPARE(t.pixel, int(std::floor(slot.start + (t.value - range.minimum) * length / (range.maximum - range.minimum))));
        }
    }

    void logTicks()
    {
        bool tick[10];
        bool label[10];
        auto digits = [&](double ppd, const bool* table) {
            SliderTicks::LogTables(ppd, 5, tick, label);
            QList<int> out;
            for (int d = 1; d <= 9; ++d)
                if (table[d])
                    out << d;
            return out;
        };
        QCOMPARE(digits(2, tick), QList<int>{1});
        // 1..1000 over 300 pixels: every digit ticked, labels 25 pixels apart.
        QCOMPARE(digits(300 / std::log(1000.0), tick), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
        QCOMPARE(digits(300 / std::log(1000.0), label), (QList<int>{1, 2, 5}));

        const SliderTicks::Slot slot = MakeSlot(300);
        const QVector<SliderTick> ticks = SliderTicks::Log(SliderScale(1, 1000, false, true), slot, 5, tick, label);
        QCOMPARE(Values(ticks, true), (Doubles{2, 5, 10, 20, 50, 100, 200, 500}));   // 1 and 1000 on the ends
        for (const SliderTick& t : ticks)
            QCOMPARE(t.length, (t.value == 10 || t.value == 100) ? slot.cross : slot.cross / 2);
        QCOMPARE(ticks.first().pixel, 2 + int(299 * std::log(2.0) / std::log(1000.0)));
        QVERIFY(SliderTicks::Log(SliderScale(0, 100, false, true), slot, 5, tick, label).isEmpty());
        QVERIFY(SliderTicks::Log(SliderScale(1e-30, 1e30, false, true), slot, 5, tick, label).size() < 60);
        // LogSlider's table: over 20 pixels 4 falls between 3 and 5, over 10 also 2 and 7.
        const LogSliderScale decade(0, 1, 100, 0, 100);
        decade.preprocessTicks(tick, 20, 4);
        QCOMPARE(QVector<bool>(tick, tick + 10), (QVector<bool>{1, 1, 1, 0, 1, 0, 1, 0, 0, 1}));
        decade.preprocessTicks(tick, 10, 4);
        QCOMPARE(QVector<bool>(tick, tick + 10), (QVector<bool>{1, 0, 1, 0, 1, 0, 0, 0, 0, 1}));
    }

    void squareTicks_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<Doubles>("mustHave");
        QTest::addColumn<Doubles>("mustLabel");
        QTest::newRow("0..100") << Range{0, 100, false, true} << Doubles{1, 10, 20, 50} << Doubles{10};
        QTest::newRow("two-sided zero") << Range{-25, 100, false, true} << Doubles{0, -10, 10, 50} << Doubles{0};
        QTest::newRow("mirrored log") << Range{-1000, -1, false, true} << Doubles{-10, -100, -2, -20} << Doubles{-10, -100};
        QTest::newRow("ends at zero") << Range{-100, 0, false, true} << Doubles{-1, -10, -20, -50} << Doubles{-10};
        QTest::newRow("int 0..100") << Range{0, 100, true, true} << Doubles{1, 2, 10, 20, 50} << Doubles{1, 10};
        QTest::newRow("int -25..100") << Range{-25, 100, true, true} << Doubles{0, -1, -10, 1, 10, 50} << Doubles{0, 10};
    }

    void squareTicks()
    {
        QFETCH(Range, range);
        QFETCH(Doubles, mustHave);
        QFETCH(Doubles, mustLabel);
        const SliderTicks::Slot slot = MakeSlot(300);
        const SliderScale scale = range.scale();
        const QVector<SliderTick> ticks = SliderTicks::Square(scale, slot, 5);
        for (double v : mustHave)
            QVERIFY2(Values(ticks).contains(v), qPrintable(QStringLiteral("no tick at %1").arg(v)));
        for (double v : mustLabel)
            QVERIFY2(Values(ticks, true).contains(v), qPrintable(QStringLiteral("no label at %1").arg(v)));
        for (const SliderTick& t : ticks) {
            QVERIFY(!range.integer || t.value == std::round(t.value));
            QCOMPARE(t.pixel, SliderTicks::Place(scale, slot, t.value));
            QVERIFY(std::abs(t.pixel - slot.start) >= 5 && std::abs(t.pixel - slot.end) >= 5);
            QVERIFY(t.value != 0.0 || (t.length == slot.cross && t.pixel == 2 + 299 / 3));
        }
    }

    // Whatever the range, every routine finishes with a bounded number of ticks inside
    // the slot, and drags give numbers; wide finite ranges still show a linear scale.
    void extremeRangesAreBounded()
    {
        const double max = std::numeric_limits<double>::max();
        const double ranges[][2] = {{0, 1e300},    {-max, max},   {0, 1e-320},  {1, std::nextafter(1.0, 2.0)},
                                    {-1e308, 1e308}, {5e-324, 1e308}, {-1e308, 1e-300}, {-1e18, 1e18}, {0, kInf}};
        const SliderTicks::Slot slot = MakeSlot(300);
        bool tick[10];
        bool label[10];
        for (const auto& r : ranges) {
            for (int kind = 0; kind < 4; ++kind) {
                const SliderScale scale(r[0], r[1], kind & 1, kind & 2);
                for (const QVector<SliderTick>& ticks :
                     {SliderTicks::Linear(scale, slot, 5), SliderTicks::Log(scale, slot, 5, tick, label),
                      SliderTicks::Square(scale, slot, 5), SliderTicks::Linear(scale, slot, 0)}) {
                    QVERIFY(ticks.size() <= 6000);
                    for (const SliderTick& t : ticks)
                        QVERIFY(t.pixel >= slot.start - 1 && t.pixel <= slot.end + 1 && !std::isnan(t.value));
                }
                for (int i = -5; i < 310; i += 7)
                    QVERIFY(!std::isnan(SliderSnap::DragValue(scale, i, 300)));
            }
            if (r[1] - r[0] > 1e200 && r[0] <= 0 && std::isfinite(r[1]))
                QVERIFY(SliderTicks::Linear(SliderScale(r[0], r[1], false, false), slot, 5).size() >= 5);
        }
    }

    // A tick label keeps clear of the minimum's (20 wide) and maximum's (16 wide) labels.
    void labelClearOfEnds()
    {
        const QRect across(QPoint(2, 20), QPoint(301, 40));
        const QRect upwards(QPoint(1, 0), QPoint(20, 299));
        auto clear = [&](int pixel, bool vertical) {
            return SliderTicks::LabelClearOfEnds(pixel, QSize(12, 10), vertical ? upwards : across, QSize(20, 10),
                                                 QSize(16, 10), vertical);
        };
        QVERIFY(!clear(23, false) && clear(24, false) && clear(272, false) && !clear(275, false));
        QVERIFY(!clear(290, true) && clear(287, true) && clear(21, true) && !clear(20, true));
    }

    void logSliderMarks_data()
    {
        QTest::addColumn<int>("minExp");
        QTest::addColumn<int>("maxExp");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QStringList>("labels");   // text@pos, "<" when it ends at pos
        QTest::newRow("powers of ten labelled once")
            << 0 << 3 << 10 << 300
            << QStringList{"1@10", "2@40", "3@57", "4@70", "5@79", "7@94", "10@110", "20@140", "30@157", "50@179",
                           "100@210", "300@257", "1000@310<"};
        QTest::newRow("upwards") << 0 << 3 << 300 << -300
                                 << QStringList{"1@300", "2@270", "3@253", "4@240", "5@231", "7@216", "10@200", "20@170",
                                                "30@153", "50@131", "100@100", "300@53", "1000@0<"};
        QTest::newRow("last power of ten would touch the maximum")
            << -2 << 4 << 0 << 120 << QStringList{"0.01@0", "0.1@20", "1@40", "10@60", "100@80", "10000@120<"};
    }

    // Which marks of a LogSlider get a label, where, on which side (5 pixels per character).
    void logSliderMarks()
    {
        QFETCH(int, minExp);
        QFETCH(int, maxExp);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QStringList, labels);
        const LogSliderScale scale(minExp, maxExp, 100, minExp * 100, maxExp * 100);
        const QVector<LogSliderMark> marks = scale.marks(
            start, length, [](double v) { return QString::number(v, 'g', 6); },
            [](const QString& text) { return 5 * text.size(); });
        QCOMPARE(marks.size(), 9 * (maxExp - minExp) + 1);
        QStringList shown;
        for (const LogSliderMark& m : marks) {
            QCOMPARE(m.pos, scale.tickPosition(m.value, start, length));
            if (!m.label.isEmpty())
                shown << QStringLiteral("%1@%2%3").arg(m.label).arg(m.pos).arg(m.leftAligned ? "" : "<");
        }
        QCOMPARE(shown, labels);
    }
};

QTEST_APPLESS_MAIN(TestSliderLogic)
#include "tst_sliderlogic.moc"
