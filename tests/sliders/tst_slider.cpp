// The Slider and LogSlider widgets: setters, mouse drags and signals, and their
// painting probed in an image.
#include <sliders/LogSlider.h>
#include <sliders/Slider.h>

#include <QtTest>
#include <QImage>
#include <QLinearGradient>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>

using namespace Quill::UI;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
const QColor kWindow(255, 255, 255), kShadow(0, 0, 0), kMid(0, 128, 0), kDark(0, 0, 255);
const QColor kThumb(98, 82, 39), kDisabledThumb(74, 71, 63);

QImage Render(QWidget& w, int dpr = 1)
{
    QImage image(w.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::magenta);
    w.render(&image);
    return image;
}

int Count(const QImage& image, const QRect& area, const QColor& c)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += QColor(image.pixel(x, y)).rgb() == c.rgb();
    return n;
}

// Sent directly: QTest's mouse helpers map positions to global ones in int.
void Mouse(QWidget* w, QPointF pos, Qt::MouseButtons buttons = Qt::LeftButton, QEvent::Type type = QEvent::MouseMove)
{
    QMouseEvent event(type, pos, pos, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// A slider with the test palette, `along` pixels long and 40 across.
std::unique_ptr<Slider> Make(bool vertical, int along = 305, int mode = Slider::kLinear, int type = Slider::kDouble)
{
    auto s = std::make_unique<Slider>(Slider::ValueType(type), Slider::SliderMode(mode), vertical ? Qt::Vertical : Qt::Horizontal);
    QPalette pal(kWindow, kWindow);
    pal.setColor(QPalette::Shadow, kShadow);
    pal.setColor(QPalette::Mid, kMid);
    pal.setColor(QPalette::Dark, kDark);
    s->setPalette(pal);
    s->resize(vertical ? QSize(40, along) : QSize(along, 40));
    return s;
}

// A drag: minimum, maximum and slot length; the pointer along the slider at the press
// and each move; the signals.
struct Drag { bool vertical, integer; QList<double> range; QList<int> pointer; QStringList expected; };

// A slider rendered at `dpr` with 0.25 set: a pixel of the thumb and one just beside it.
struct Thumb { bool vertical, enabled; int mode; QPoint inside, outside; int dpr; };

struct ExposedSlider : Slider {
    using Slider::isLog;
};

} // namespace

Q_DECLARE_METATYPE(Drag)
Q_DECLARE_METATYPE(Thumb)

class TestSlider : public QObject
{
    Q_OBJECT
private slots:
    void setters_data()
    {
        // "call a b = minimum maximum value" on a 0..1 slider at 0.5; "ivalue" on a 0..100 integer one
        QTest::addColumn<QString>("row");
        QTest::newRow("setRange swaps") << "range 10 2 = 2 10 0.5"; QTest::newRow("setMinimum above max swaps") << "min 20 0 = 1 20 0.5";
        QTest::newRow("setMaximum below min swaps") << "max -5 0 = -5 0 0.5"; QTest::newRow("NaN range refused") << "range nan 3 = 0 1 0.5";
        QTest::newRow("infinite minimum refused") << "min -inf 0 = 0 1 0.5"; QTest::newRow("infinite value refused") << "value inf 0 = 0 1 0.5";
        QTest::newRow("int value half away") << "ivalue -2.5 0 = 0 100 -3";
    }

    // Setters store (refusing non-finite numbers) and never emit.
    void setters()
    {
        QFETCH(QString, row);
        const QStringList f = row.split(' ');
        const QString& call = f[0];
        const double a = f[1].toDouble(), b = f[2].toDouble();
        const QList<double> state{f[4].toDouble(), f[5].toDouble(), f[6].toDouble()};
        Slider s{call == "ivalue" ? Slider::kInt : Slider::kDouble};
        QSignalSpy changed(&s, &Slider::valueChanged);
        if (call == "range")
            s.setRange(a, b);
        else if (call == "min")
            s.setMinimum(a);
        else if (call == "max")
            s.setMaximum(a);
        else
            s.setValue(a);
        QCOMPARE((QList<double>{s.minimum(), s.maximum(), s.value()}), state);
        QCOMPARE(changed.count(), 0);
        ExposedSlider log;   // the logarithmic curve: kLog on a range clear of zero
        log.setMode(Slider::kLog);
        log.setRange(state[0], state[1]);
        QCOMPARE(log.isLog(), state[0] > 0 || state[1] < 0);
    }

    void drag_data()
    {
        QTest::addColumn<Drag>("row");
        const QStringList steps{"pressed", "changed 0.2", "moved 0.2", "changed 0.3", "moved 0.3", "changed 1", "moved 1", "released"};
        QTest::newRow("horizontal") << Drag{false, false, {0, 1, 300}, {62, 92, 92, 302}, steps};
        QTest::newRow("vertical") << Drag{true, false, {0, 1, 300}, {242, 212, -100}, steps};
        QTest::newRow("press on the value") << Drag{false, false, {0, 1, 300}, {152}, {"pressed", "released"}};
        QTest::newRow("int") << Drag{false, true, {0, 100, 300}, {62, 63, -28}, {"pressed", "changed 20", "moved 20", "changed 0", "moved 0", "released"}};
        // The ends are not multiples of the step: the ends themselves, never beyond.
        QTest::newRow("1..1000 at the start") << Drag{false, false, {1, 1000, 195}, {2}, {"pressed", "changed 1", "moved 1", "released"}};
        QTest::newRow("int 1..100, 30 wide") << Drag{false, true, {1, 100, 25}, {2, 27}, {"pressed", "changed 1", "moved 1", "changed 100", "moved 100", "released"}};
        QTest::newRow("vertical -100..-1 at the top") << Drag{true, false, {-100, -1, 25}, {2}, {"pressed", "changed -1", "moved -1", "released"}};
        QTest::newRow("pointer at the int limits") << Drag{true, false, {0, 1, 300}, {INT_MIN + 1, INT_MAX}, {"pressed", "changed 1", "moved 1", "changed 0", "moved 0", "released"}};
    }

    // Signals of a press, moves and a release, in order; a hover moves nothing.
    void drag()
    {
        QFETCH(Drag, row);
        const int side = int(row.range[2]) + 5;
        const auto s = Make(row.vertical, side, Slider::kLinear, row.integer ? Slider::kInt : Slider::kDouble);
        s->setRange(row.range[0], row.range[1]);
        QStringList log;
        connect(s.get(), &Slider::sliderPressed, [&] { log << "pressed"; });
        connect(s.get(), &Slider::sliderReleased, [&] { log << "released"; });
        connect(s.get(), &Slider::valueChanged, [&](double v) {
            log << QStringLiteral("changed %1").arg(v);
            QCOMPARE(s->value(), v);   // stored before it is announced
        });
        connect(s.get(), &Slider::sliderMoved, [&](double v) { log << QStringLiteral("moved %1").arg(v); });
        auto at = [&](int along) { return row.vertical ? QPointF(15, along) : QPointF(along, 15); };
        Mouse(s.get(), at(row.pointer[0]), Qt::LeftButton, QEvent::MouseButtonPress);
        for (int i = 1; i < row.pointer.size(); ++i)
            Mouse(s.get(), at(row.pointer[i]));
        QTest::mouseRelease(s.get(), Qt::LeftButton, Qt::NoModifier, at(10).toPoint());
        Mouse(s.get(), at(side / 2), Qt::NoButton);
        QCOMPARE(log, row.expected);
    }

    void thumb_data()
    {
        QTest::addColumn<Thumb>("row");
        // 305x40: thumb slot x 2..302, y 13..31; 0.25 at pixel 77: thumb 75..78, outlined.
        QTest::newRow("horizontal") << Thumb{false, true, Slider::kLinear, {78, 22}, {79, 22}, 1};
        QTest::newRow("disabled") << Thumb{false, false, Slider::kLinear, {77, 22}, {72, 22}, 1};
        QTest::newRow("sqrt: at half") << Thumb{false, true, Slider::kLog, {152, 22}, {77, 22}, 1};
        QTest::newRow("at 2x") << Thumb{false, true, Slider::kLinear, {77, 22}, {72, 22}, 2};
        // Vertical 40x305: slot y 302 up to 2, x 17..38; 0.25 at pixel 227.
        QTest::newRow("vertical") << Thumb{true, true, Slider::kLinear, {27, 228}, {27, 229}, 1};
    }

    void thumb()
    {
        QFETCH(Thumb, row);
        const int dpr = row.dpr;
        const auto s = Make(row.vertical, 305, row.mode);
        s->setEnabled(row.enabled);
        s->setValue(0.25);
        const QImage image = Render(*s, dpr);
        QCOMPARE(QColor(image.pixel(row.inside * dpr)), row.enabled ? kThumb : kDisabledThumb);
        QVERIFY(QColor(image.pixel(row.outside * dpr)) != kThumb);
    }

    // A triangle pointing past the end, and no rectangle.
    void outOfRange()
    {
        // Column (or row) near the triangle's wide end and near its point.
        const struct { bool vertical; double value; int base, tip; } cases[] = {{false, 2, 294, 302}, {false, -1, 9, 1}, {true, 2, 9, 1}, {true, -1, 294, 302}};
        for (const auto& c : cases) {
            const auto s = Make(c.vertical);
            s->setValue(c.value);
            const QImage image = Render(*s);
            auto count = [&](int at, int from, int to) {
                return Count(image, c.vertical ? QRect(QPoint(from, at), QPoint(to, at)) : QRect(QPoint(at, from), QPoint(at, to)), kThumb);
            };
            QVERIFY(count(c.base, 13, 38) >= 10);
            QVERIFY(count(c.tip, 13, 38) <= 4);
            QCOMPARE(count(c.value > 1 ? 288 : 15, 0, 39), 0);
        }
    }

    // Groove, end stops, ticks and labels of a 0..1 slider over a 200-pixel tick slot
    // (unit 0.1, every second tick labelled), in a colour and a gradient.
    void painting()
    {
        for (const bool vertical : {false, true}) {
            const auto s = Make(vertical, 204);
            s->setValue(0.65);
            // Along: x from 2 (or y from 201 up). Across: groove 18..20; ticks from 17 up
            // (or from 21 right), half length 9.
            const int start = vertical ? 201 : 2;
            const int dir = vertical ? -1 : 1;
            auto at = [&](const QImage& image, int along, int across) {
                return QColor(vertical ? image.pixel(across, along) : image.pixel(along, across));
            };
            const int halfTick = vertical ? 25 : 12;
            const int fullTick = vertical ? 35 : 5;
            s->setColor(QColor(200, 0, 200));
            QImage image = Render(*s);
            QCOMPARE(at(image, start + dir * 30, 19), QColor(200, 0, 200));
            QCOMPARE(at(image, start + dir * 30, 18), kShadow);
            QCOMPARE(at(image, start + dir * 30, 20), kShadow);
            QCOMPARE(at(image, start, fullTick), kMid);
            QCOMPARE(at(image, start + dir * 199, fullTick), kMid);
            for (int k = 1; k <= 9; ++k) {
                QCOMPARE(at(image, start + dir * 20 * k, halfTick), kMid);
                QVERIFY(at(image, start + dir * 20 * k, fullTick) != kMid);
                QCOMPARE(at(image, start + dir * 20 * k + 1, halfTick), kWindow);
            }
            auto ink = [&](int from, int to) {   // dark label pixels in a stretch of the label slot
                int n = 0;
                for (int along = std::min(from, to); along <= std::max(from, to); ++along)
                    for (int across = vertical ? 1 : 22; across <= (vertical ? 16 : 39); ++across)
                        n += qGray(at(image, along, across).rgb()) < 100 && at(image, along, across) != kMid;
                return n;
            };
            QVERIFY(ink(start + dir * 40, start + dir * 50) > 0);   // 0.2
            QCOMPARE(ink(start + dir * 20, start + dir * 30), 0);   // 0.1 has none
            QVERIFY(ink(vertical ? 203 : 2, vertical ? 197 : 8) > 0);   // the minimum's
            QVERIFY(ink(vertical ? 0 : 201, vertical ? 6 : 195) > 0);   // the maximum's

            QLinearGradient gradient = vertical ? QLinearGradient(0, 204, 0, 0) : QLinearGradient(0, 0, 204, 0);
            gradient.setColorAt(0, Qt::red);
            gradient.setColorAt(1, Qt::blue);
            s->setColor(gradient);
            image = Render(*s);
            QVERIFY(at(image, start + dir * 3, 19).red() > 230 && at(image, start + dir * 196, 19).blue() > 230);
            QCOMPARE(at(image, start + dir * 30, 18), kShadow);
            s->setType(Slider::kInt);   // whole numbers only: the tenths' ticks go
            QVERIFY(at(Render(*s), start + dir * 20, halfTick) != kMid);
        }
    }

    // Whatever the range and tick separation, a paint shows the thumb (drags at such
    // ranges are the pure DragValue's, tested with it).
    void extremeRanges()
    {
        const double max = std::numeric_limits<double>::max();
        const double ranges[][3] = {{0, 1e300, 5e299}, {-max, max, 1}, {0, 1e-320, 0}, {5e-324, 1e308, 1}, {3, 3, 3}};
        for (const auto& r : ranges)
            for (int kind = 0; kind < 4; ++kind) {
                const auto s = Make(false, 305, kind >> 1, kind & 1);
                s->setRange(r[0], r[1]);
                s->setValue(r[2]);
                s->setMinTickSeparation(kind == 3 ? INT_MAX : 1 - kind);
                QVERIFY(Count(Render(*s), QRect(0, 0, 305, 40), kThumb) > 0);
            }
    }

    void logRange_data()
    {
        QTest::addColumn<QList<int>>("args");      // minExp, maxExp, precision
        QTest::addColumn<QString>("error");
        QTest::addColumn<QList<int>>("sliderRange");
        QTest::newRow("reversed exponents") << QList<int>{3, -1, 10} << "" << QList<int>{-10, 30};
        QTest::newRow("widest") << QList<int>{-307, 308, 1000} << "" << QList<int>{-307000, 308000};
        QTest::newRow("precision fills int") << QList<int>{0, 1, INT_MAX} << "" << QList<int>{0, INT_MAX};
        QTest::newRow("precision 0") << QList<int>{0, 2, 0} << "precision argument should be > 0" << QList<int>{0, 30};
        QTest::newRow("equal exponents") << QList<int>{2, 2, 5} << "minExp cannot be equal to maxExp" << QList<int>{0, 30};
        QTest::newRow("exponent too small") << QList<int>{INT_MIN, 0, 1} << "exponent arguments should lie between -307 and 308" << QList<int>{0, 30};
        QTest::newRow("slider range overflows") << QList<int>{-1, 10, INT_MAX / 5} << "precision argument is too large for the exponent range" << QList<int>{0, 30};
    }

    // A range sets the slider range and the real range setRealValue() clamps to; a
    // bad one throws and changes nothing.
    void logRange()
    {
        QFETCH(QList<int>, args);
        QFETCH(QString, error);
        QFETCH(QList<int>, sliderRange);
        LogSlider s;
        QVERIFY_EXCEPTION_THROWN(s.realValue(), std::logic_error);
        s.setRealRange(0, 3, 10);
        s.setRealValue(20);
        try {
            s.setRealRange(args[0], args[1], args[2]);
            QVERIFY(error.isEmpty());
        } catch (const std::invalid_argument& e) {
            QCOMPARE(QString::fromLatin1(e.what()), error);
            QCOMPARE(s.value(), 13);
        }
        QCOMPARE((QList<int>{s.minimum(), s.maximum()}), sliderRange);
        s.setRealValue(-kInf);
        QCOMPARE(s.value(), sliderRange[0]);
        QVERIFY(qFuzzyCompare(s.realValue(), std::pow(10.0, sliderRange[0] / double(error.isEmpty() ? args[2] : 10))));
        s.setRealValue(kInf);
        QCOMPARE(s.value(), sliderRange[1]);
    }

    // setRealValue truncates log10 * precision (0..2 by 10), keeps the value for NaN,
    // and realValue() fed back never moves the slider.
    void logValues()
    {
        LogSlider s;
        s.setRealRange(0, 2, 10);
        const QList<QPair<double, int>> cases{{2, 3},    {5000, 20}, {-5, 0},  {std::pow(10.0, 0.3), 3},
                                              {std::pow(10.0, 0.2999), 2}, {kNaN, 2}};
        for (const auto& c : cases) {
            s.setRealValue(c.first);
            QCOMPARE(s.value(), c.second);
            QCOMPARE(s.realValue(), std::pow(10.0, c.second / 10.0));
        }
        for (const QList<int>& r : QList<QList<int>>{{-3, 3, 7}, {-300, 300, 3}, {0, 1, 1000}}) {
            s.setRealRange(r[0], r[1], r[2]);
            for (int v = s.minimum(); v <= s.maximum(); ++v) {
                s.setValue(v);
                s.setRealValue(s.realValue());
                QCOMPARE(s.value(), v);
            }
        }
    }

    // Label room is added once, saturating at the largest widget size.
    void logSizeHints()
    {
        for (const Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
            const QSlider stock(o);
            const QSize along = o == Qt::Horizontal ? QSize(0, 1) : QSize(1, 0);
            LogSlider s(o);
            QCOMPARE(s.sizeHint(), stock.sizeHint() + 8 * along);
            QCOMPARE(s.minimumSizeHint(), stock.minimumSizeHint() + 8 * along);
            s.setTickTextSize(-4);
            QCOMPARE(s.sizeHint(), stock.sizeHint());
            s.setTickTextSize(INT_MAX);
            const QSize hint = s.sizeHint();
            QCOMPARE(o == Qt::Horizontal ? hint.height() : hint.width(), QWIDGETSIZE_MAX);
            s.setDrawLogTicks(false);
            QCOMPARE(s.sizeHint(), stock.sizeHint());
        }
    }

    void logPainting_data()
    {
        QTest::addColumn<QList<int>>("args");   // minExp, maxExp, precision, text size, vertical
        QTest::newRow("horizontal") << QList<int>{-2, 4, 100, 8, 0}; QTest::newRow("vertical") << QList<int>{0, 3, 50, 8, 1};
        QTest::newRow("600 decades") << QList<int>{-300, 300, 1, 8, 0}; QTest::newRow("text size 0") << QList<int>{0, 3, 10, 0, 0};
    }

    // Stock painting until a range is set; labels in the strip beside the groove; nothing extra without ticks.
    void logPainting()
    {
        QFETCH(QList<int>, args);
        const bool vertical = args[4];
        const Qt::Orientation o = vertical ? Qt::Vertical : Qt::Horizontal;
        LogSlider s(o);
        QSlider stock(o);
        s.resize(vertical ? QSize(40, 320) : QSize(320, 40));
        stock.resize(s.size());
        QCOMPARE(Render(s), Render(stock));
        s.setTickTextSize(args[3]);
        s.setRealRange(args[0], args[1], args[2]);
        s.setRealValue(kInf);   // handle at the far end
        Render(s);
        s.setExpTickColor(QColor(0, 0, 255));
        QImage image = Render(s);
        QVERIFY(Count(image, s.rect(), QColor(0, 0, 255)) > 0);
        const QRect strip = vertical ? QRect(0, 0, 12, 320) : QRect(0, 28, 320, 12);
        int blueInk = 0;   // antialiased text: blue blended into the background
        for (int y = strip.top(); y <= strip.bottom(); ++y)
            for (int x = strip.left(); x <= strip.right(); ++x)
                blueInk += QColor(image.pixel(x, y)).blue() - QColor(image.pixel(x, y)).red() > 60;
        QVERIFY(args[3] <= 0 || blueInk > 20);
        s.setDrawLogTicks(false);
        QCOMPARE(Count(Render(s), s.rect(), QColor(0, 0, 255)), 0);
    }
};

QTEST_MAIN(TestSlider)
#include "tst_slider.moc"
