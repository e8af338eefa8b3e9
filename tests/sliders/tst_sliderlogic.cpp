// The sliders' pure logic: value mapping, drag snapping, tick layouts.
#include <sliders/LogSliderScale_p.h>
#include <sliders/Pow10_p.h>
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
Range Lin(double a, double b) { return {a, b, false, false}; }
Range Int(double a, double b) { return {a, b, true, false}; }
Range Curve(double a, double b, bool integer = false) { return {a, b, integer, true}; }

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
        QTest::newRow("linear") << Lin(0, 1) << 0.25 << 0.25; QTest::newRow("above max") << Lin(0, 1) << 2.0 << 2.0;
        QTest::newRow("empty range") << Curve(5, 5) << 7.0 << 0.0; QTest::newRow("int half away") << Int(0, 10) << 2.5 << 0.3;
        QTest::newRow("int negative half away") << Int(-10, 0) << -2.5 << 0.7; QTest::newRow("log") << Curve(1, 100) << 10.0 << 0.5;
        QTest::newRow("log below min") << Curve(1, 100) << 0.5 << 0.0; QTest::newRow("sqrt") << Curve(0, 100) << 25.0 << 0.5;
        QTest::newRow("two-sided zero") << Curve(-25, 100) << 0.0 << 1.0 / 3; QTest::newRow("mirrored log") << Curve(-100, -1) << -10.0 << 0.5;
        QTest::newRow("overflowing width") << Lin(-1e308, 1e308) << 0.0 << 0.5;
        QTest::newRow("swapped range") << Lin(1, 0) << 0.25 << 0.25; QTest::newRow("NaN") << Curve(0, 1) << kNaN << kNaN;
        QTest::newRow("infinity") << Lin(1, 10) << kInf << kInf;
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
        else
            QCOMPARE(back, position > 0 ? scale.maximum() : scale.minimum());
    }

    // Random ranges (negative, fractional, tiny, huge, integer, non-linear) on slots of 1
    // to 40 pixels either way: mapping round-trips, and the pointer at every pixel and
    // beyond both ends selects a value in range, whole on an integer scale when it can,
    // and on a linear scale within half a step (at most 2.5 pixel worths) of the pointer.
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
                const double p = double(i) / std::abs(length), worth = (b - a) / std::abs(length);
                if (p > 0 && p < 1 && a < b)
                    QVERIFY2(std::fabs(exact.valueToPosition(exact.positionToValue(p), false) - p) < 1e-6, qPrintable(where));
                if (!integer && !scale.isNonLinear() && worth > SliderSnap::kMinimumWorth && worth < SliderSnap::kMaximumWorth)
                    QVERIFY2(std::fabs(v - exact.positionToValue(std::clamp(p, 0.0, 1.0))) <= 1.25 * worth * (1 + 1e-9), qPrintable(where));
            }
        }
    }

    void dragValue_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<double>("value");
        QTest::newRow("empty slot") << Lin(0, 1) << 5LL << 0LL << kNaN; QTest::newRow("exact decimal") << Lin(0, 1) << 7LL << 100LL << 0.07;
        QTest::newRow("step 0.01 at 0.005") << Lin(0, 1) << 1LL << 200LL << 0.01;
        QTest::newRow("step 100 at 50") << Lin(0, 10000) << 1LL << 200LL << 100.0;
        QTest::newRow("odd ends stay ends") << Lin(0.003, 0.997) << 0LL << 100LL << 0.003;
        QTest::newRow("log: local step 0.05") << Curve(1, 1000) << 10LL << 300LL << 1.25;
        QTest::newRow("log: local step 50") << Curve(1, 1000) << 298LL << 300LL << 950.0;
        QTest::newRow("tiny range") << Lin(0, 1e-300) << 50LL << 100LL << 5e-301;
        QTest::newRow("worth above the bound: raw") << Lin(0, 3e11) << 1LL << 100LL << 3e9;
        QTest::newRow("pointer far above, vertical") << Lin(0, 1) << qint64(INT_MIN) - 302 << -300LL << 1.0;
        QTest::newRow("pointer far right") << Lin(0, 1) << qint64(INT_MAX) << 300LL << 1.0;
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

    void ticks_data()
    {
        QTest::addColumn<Range>("range");
        QTest::addColumn<int>("length");   // negative: a vertical slot, running upwards
        QTest::addColumn<Doubles>("values");   // linear: exactly these; square root: at least these
        QTest::addColumn<Doubles>("labelled");
        const Doubles tenths{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
        const Doubles tens{10, 20, 30, 40, 50, 60, 70, 80, 90};
        QTest::newRow("0..1 over 200") << Lin(0, 1) << 200 << tenths << Doubles{0.2, 0.4, 0.6, 0.8};
        QTest::newRow("vertical") << Lin(0, 1) << -200 << tenths << Doubles{0.2, 0.4, 0.6, 0.8};
        QTest::newRow("int keeps unit 1") << Int(0, 10) << 1000 << Doubles{1, 2, 3, 4, 5, 6, 7, 8, 9} << Doubles{1, 2, 3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("minimum on a multiple, zero exact") << Lin(-0.3, 0.7) << 200 << Doubles{-0.2, -0.1, 0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6} << Doubles{-0.2, 0, 0.2, 0.4, 0.6};
        QTest::newRow("spacing 10: every fifth") << Lin(0, 100) << 100 << tens << Doubles{50};
        QTest::newRow("spacing 30: all") << Lin(0, 100) << 300 << tens << tens;
        QTest::newRow("two-sided zero") << Curve(-25, 100) << 300 << Doubles{0, -10, 10, 50} << Doubles{0};
        QTest::newRow("mirrored log") << Curve(-1000, -1) << 300 << Doubles{-10, -100, -2, -20} << Doubles{-10, -100};
        QTest::newRow("ends at zero") << Curve(-100, 0) << 300 << Doubles{-1, -10, -20, -50} << Doubles{-10};
        QTest::newRow("int 0..100") << Curve(0, 100, true) << 300 << Doubles{1, 2, 10, 20, 50} << Doubles{1, 10};
    }

    void ticks()
    {
        QFETCH(Range, range);
        QFETCH(int, length);
        QFETCH(Doubles, values);
        QFETCH(Doubles, labelled);
        const SliderTicks::Slot slot = MakeSlot(length);
        QCOMPARE(slot.length(), std::abs(length));
        const SliderScale scale = range.scale();
        if (!range.nonLinear) {
            const QVector<SliderTick> ticks = SliderTicks::Linear(scale, slot, 5);
            QCOMPARE(Values(ticks), values);
            QCOMPARE(Values(ticks, true), labelled);
            for (const SliderTick& t : ticks) {
                const bool major = std::fmod(std::round(t.value / (values.at(1) - values.at(0))), 10.0) == 0.0;
                QCOMPARE(t.length, major ? slot.cross : slot.cross / 2);
                QCOMPARE(t.pixel, int(std::floor(slot.start + (t.value - range.minimum) * length / (range.maximum - range.minimum))));
            }
            return;
        }
        const QVector<SliderTick> ticks = SliderTicks::Square(scale, slot, 5);
        for (double v : values)
            QVERIFY2(Values(ticks).contains(v), qPrintable(QStringLiteral("no tick at %1").arg(v)));
        for (double v : labelled)
            QVERIFY2(Values(ticks, true).contains(v), qPrintable(QStringLiteral("no label at %1").arg(v)));
        for (const SliderTick& t : ticks) {
            QVERIFY(!range.integer || t.value == std::round(t.value));
            QCOMPARE(t.pixel, SliderTicks::Place(scale, slot, t.value));
            QVERIFY(std::abs(t.pixel - slot.start) >= 5 && std::abs(t.pixel - slot.end) >= 5);
            QVERIFY(t.value != 0.0 || (t.length == slot.cross && t.pixel == 2 + 299 / 3));
        }
    }

    void logTicks()
    {
        bool tick[10], label[10];
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
        // No separation is taken as one pixel.
        QCOMPARE(Values(SliderTicks::Log(SliderScale(1, 1000, false, true), slot, 0, tick, label)),
                 Values(SliderTicks::Log(SliderScale(1, 1000, false, true), slot, 1, tick, label)));
        QVERIFY(SliderTicks::Log(SliderScale(0, 100, false, true), slot, 5, tick, label).isEmpty());
        QVERIFY(SliderTicks::Log(SliderScale(1e-30, 1e30, false, true), slot, 5, tick, label).size() < 60);
        // LogSlider's table: over 20 pixels 4 falls between 3 and 5, over 10 also 2 and 7.
        const LogSliderScale decade(0, 1, 100, 0, 100);
        decade.preprocessTicks(tick, 20, 4);
        QCOMPARE(QVector<bool>(tick, tick + 10), (QVector<bool>{1, 1, 1, 0, 1, 0, 1, 0, 0, 1}));
        decade.preprocessTicks(tick, 10, 4);
        QCOMPARE(QVector<bool>(tick, tick + 10), (QVector<bool>{1, 0, 1, 0, 1, 0, 0, 0, 0, 1}));
    }

    // Whatever the range, every routine finishes with a bounded number of ticks inside
    // the slot, and drags give numbers; wide finite ranges still show a linear scale.
    void extremeRangesAreBounded()
    {
        const double max = std::numeric_limits<double>::max();
        const double ranges[][2] = {{0, 1e300},    {-max, max},   {0, 1e-320},  {1, std::nextafter(1.0, 2.0)},
                                    {-1e308, 1e308}, {5e-324, 1e308}, {-1e308, 1e-300}, {-1e18, 1e18}, {0, kInf}};
        const SliderTicks::Slot slot = MakeSlot(300);
        bool tick[10], label[10];
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
        QTest::addColumn<QList<int>>("args");   // minExp, maxExp, start, length
        QTest::addColumn<QString>("labels");    // text@pos, "<" when it ends at pos
        QTest::newRow("powers of ten labelled once")
            << QList<int>{0, 3, 10, 300} << "1@10 2@40 3@57 4@70 5@79 7@94 10@110 20@140 30@157 50@179 100@210 300@257 1000@310<";
        QTest::newRow("upwards")
            << QList<int>{0, 3, 300, -300} << "1@300 2@270 3@253 4@240 5@231 7@216 10@200 20@170 30@153 50@131 100@100 300@53 1000@0<";
        QTest::newRow("last power of ten would touch the maximum")
            << QList<int>{-2, 4, 0, 120} << "0.01@0 0.1@20 1@40 10@60 100@80 10000@120<";
    }

    // Powers of ten as exact as the decimal literal (in the exact range); Truncate and the
    // snapping step forgive only rounding noise.
    void pow10AndTruncate()
    {
        for (int e = -22; e <= 22; ++e)
            QVERIFY(Pow10(e) == QByteArray("1e" + QByteArray::number(e)).toDouble());   // exact, not fuzzy
        const QList<QPair<double, int>> truncations = {{2.9999999999, 3}, {2.9, 2}, {-2.9, -2},
            {1e6 - 1e-4, 1000000}, {-(1e6 - 1e-4), -1000000}, {kNaN, 0}, {1e300, INT_MAX}, {-kInf, INT_MIN}};
        for (const auto& t : truncations)
            QCOMPARE(LogSliderScale::Truncate(t.first), t.second);
        // A pixel worth within the noise of twice a power of ten steps by that power's fifth.
        QCOMPARE(SliderSnap::StepFor(2.000005, 1e-5).value(), SliderSnap::StepFor(2.0, 0).value());
    }

    // Which marks of a LogSlider get a label, where, on which side (5 pixels per character).
    void logSliderMarks()
    {
        QFETCH(QList<int>, args);
        QFETCH(QString, labels);
        const int minExp = args[0], maxExp = args[1], start = args[2], length = args[3];
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
        QCOMPARE(shown.join(' '), labels);
    }
};

QTEST_APPLESS_MAIN(TestSliderLogic)
#include "tst_sliderlogic.moc"
