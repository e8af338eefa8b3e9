// LogSlider: the real range over decades, its misuse errors, value conversion, the
// tick tables and painting.
#include <sliders/LogSlider.h>
#include <sliders/LogSliderScale_p.h>

#include <QtTest>
#include <QImage>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <climits>
#include <cmath>
#include <limits>
#include <stdexcept>

using namespace Quill::UI;

namespace {

class ExposedLogSlider : public LogSlider
{
public:
    using LogSlider::LogSlider;
    using LogSlider::calculateRealValue;
    using LogSlider::calculateSliderValue;
    using LogSlider::initStyleOption;
};

QImage Render(QWidget& w)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    w.render(&image);
    return image;
}

int Count(const QImage& image, const QColor& c)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += QColor(image.pixel(x, y)).rgb() == c.rgb();
    return n;
}

enum class Thrown { Nothing, InvalidArgument, LogicError, Other };

template <typename F>
Thrown Catch(F f, QString* message)
{
    try {
        f();
    } catch (const std::invalid_argument& e) {
        *message = QString::fromLatin1(e.what());
        return Thrown::InvalidArgument;
    } catch (const std::logic_error& e) {
        *message = QString::fromLatin1(e.what());
        return Thrown::LogicError;
    } catch (...) {
        return Thrown::Other;
    }
    return Thrown::Nothing;
}

} // namespace

Q_DECLARE_METATYPE(Thrown)

class TestLogSlider : public QObject
{
    Q_OBJECT
private slots:
    void metaObject();
    void realRange_data();
    void realRange();
    void invalidRangeThrowsAndKeepsState_data();
    void invalidRangeThrowsAndKeepsState();
    void beforeRange();
    void setRealValue_data();
    void setRealValue();
    void realValueRoundTrips_data();
    void realValueRoundTrips();
    void tickTable_data();
    void tickTable();
    void marks_data();
    void marks();
    void sizeHints_data();
    void sizeHints();
    void painting_data();
    void painting();
};

void TestLogSlider::metaObject()
{
    LogSlider s;
    const QMetaObject* mo = s.metaObject();
    QCOMPARE(QString::fromLatin1(mo->className()), QStringLiteral("Quill::UI::LogSlider"));
    QStringList names;
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
        names << QString::fromLatin1(mo->property(i).name());
    QCOMPARE(names, (QStringList{"realValue", "drawLogTicks", "tickTextSize", "tickColor", "expTickColor"}));
    QCOMPARE(mo->methodCount(), mo->methodOffset());   // no signals or slots of its own
    QVERIFY(s.setProperty("tickTextSize", 11));
    QCOMPARE(s.tickTextSize(), 11);
}

void TestLogSlider::realRange_data()
{
    QTest::addColumn<int>("minExp");
    QTest::addColumn<int>("maxExp");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("sliderMinimum");
    QTest::addColumn<int>("sliderMaximum");
    QTest::addColumn<double>("minReal");
    QTest::addColumn<double>("maxReal");

    QTest::newRow("reversed exponents") << 3 << -1 << 10 << -10 << 30 << 0.1 << 1000.0;
    QTest::newRow("0..2 by 10") << 0 << 2 << 10 << 0 << 20 << 1.0 << 100.0;
    QTest::newRow("widest") << -307 << 308 << 1000 << -307000 << 308000 << 1e-307 << 1e308;
    QTest::newRow("precision fills int") << 0 << 1 << INT_MAX << 0 << INT_MAX << 1.0 << 10.0;
}

void TestLogSlider::realRange()
{
    QFETCH(int, minExp);
    QFETCH(int, maxExp);
    QFETCH(int, precision);
    QFETCH(int, sliderMinimum);
    QFETCH(int, sliderMaximum);
    QFETCH(double, minReal);
    QFETCH(double, maxReal);
    ExposedLogSlider s(Qt::Horizontal);
    s.setRealRange(minExp, maxExp, precision);
    QCOMPARE(s.minimum(), sliderMinimum);
    QCOMPARE(s.maximum(), sliderMaximum);
    // The real range is what setRealValue() clamps to.
    s.setRealValue(0.0);
    QCOMPARE(s.value(), sliderMinimum);
    QVERIFY(qFuzzyCompare(s.realValue(), minReal));
    s.setRealValue(std::numeric_limits<double>::infinity());
    QCOMPARE(s.value(), sliderMaximum);
    QVERIFY(qFuzzyCompare(s.realValue(), maxReal));
    QCOMPARE(std::pow(10.0, minExp < maxExp ? minExp : maxExp), minReal);
}

void TestLogSlider::invalidRangeThrowsAndKeepsState_data()
{
    QTest::addColumn<int>("minExp");
    QTest::addColumn<int>("maxExp");
    QTest::addColumn<int>("precision");
    QTest::addColumn<QString>("message");

    QTest::newRow("precision 0") << 0 << 2 << 0 << "precision argument should be > 0";
    QTest::newRow("negative precision") << 0 << 2 << -3 << "precision argument should be > 0";
    QTest::newRow("equal exponents") << 2 << 2 << 5 << "minExp cannot be equal to maxExp";
    QTest::newRow("precision checked first") << 2 << 2 << 0 << "precision argument should be > 0";
    QTest::newRow("exponent too large") << 0 << 309 << 1 << "exponent arguments should lie between -307 and 308";
    QTest::newRow("exponent too small") << INT_MIN << 0 << 1 << "exponent arguments should lie between -307 and 308";
    QTest::newRow("slider range overflows") << -1 << 10 << INT_MAX / 5
                                            << "precision argument is too large for the exponent range";
}

void TestLogSlider::invalidRangeThrowsAndKeepsState()
{
    QFETCH(int, minExp);
    QFETCH(int, maxExp);
    QFETCH(int, precision);
    QFETCH(QString, message);
    LogSlider s;
    s.setRealRange(0, 3, 10);
    s.setRealValue(20);
    const int value = s.value();
    const double real = s.realValue();

    QString what;
    QCOMPARE(Catch([&] { s.setRealRange(minExp, maxExp, precision); }, &what), Thrown::InvalidArgument);
    QCOMPARE(what, message);
    QCOMPARE(s.minimum(), 0);
    QCOMPARE(s.maximum(), 30);
    QCOMPARE(s.value(), value);
    QCOMPARE(s.realValue(), real);
    s.setRealValue(1e9);
    QCOMPARE(s.value(), 30);   // the old real range still clamps
}

void TestLogSlider::beforeRange()
{
    ExposedLogSlider s(Qt::Horizontal);
    QString what;
    QCOMPARE(Catch([&] { s.realValue(); }, &what), Thrown::LogicError);
    QCOMPARE(what, QStringLiteral("Call setRealRange method first"));
    what.clear();
    QCOMPARE(Catch([&] { s.setRealValue(5); }, &what), Thrown::LogicError);
    QCOMPARE(what, QStringLiteral("Call setRealRange method first"));

    // The unchecked conversions stay defined.
    QCOMPARE(s.calculateRealValue(7), 0.0);
    QCOMPARE(s.calculateSliderValue(100.0), s.minimum());

    // It paints exactly as a stock slider.
    s.resize(200, 40);
    QSlider stock(Qt::Horizontal);
    stock.resize(200, 40);
    QCOMPARE(Render(s), Render(stock));
}

void TestLogSlider::setRealValue_data()
{
    QTest::addColumn<double>("real");
    QTest::addColumn<int>("position");

    // Range 0..2 with precision 10.
    QTest::newRow("2 truncates to 3") << 2.0 << 3;
    QTest::newRow("5000 clamps to 20") << 5000.0 << 20;
    QTest::newRow("10") << 10.0 << 10;
    QTest::newRow("0 clamps to 0") << 0.0 << 0;
    QTest::newRow("negative clamps to 0") << -5.0 << 0;
    QTest::newRow("+inf") << std::numeric_limits<double>::infinity() << 20;
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << 0;
    QTest::newRow("NaN keeps the value") << std::numeric_limits<double>::quiet_NaN() << 7;
    QTest::newRow("10^0.3 is 3, not 2") << std::pow(10.0, 0.3) << 3;
    QTest::newRow("just below 10^0.3") << std::pow(10.0, 0.2999) << 2;
}

void TestLogSlider::setRealValue()
{
    QFETCH(double, real);
    QFETCH(int, position);
    LogSlider s;
    s.setRealRange(0, 2, 10);
    s.setValue(7);
    QSignalSpy spy(&s, SIGNAL(valueChanged(int)));
    s.setRealValue(real);
    QCOMPARE(s.value(), position);
    QCOMPARE(spy.count(), position == 7 ? 0 : 1);
    QCOMPARE(s.realValue(), std::pow(10.0, position / 10.0));
}

void TestLogSlider::realValueRoundTrips_data()
{
    QTest::addColumn<int>("minExp");
    QTest::addColumn<int>("maxExp");
    QTest::addColumn<int>("precision");

    QTest::newRow("0..2 by 10") << 0 << 2 << 10;
    QTest::newRow("-3..3 by 7") << -3 << 3 << 7;
    QTest::newRow("-2..4 by 100") << -2 << 4 << 100;
    QTest::newRow("-300..300 by 3") << -300 << 300 << 3;
    QTest::newRow("0..1 by 1000") << 0 << 1 << 1000;
}

// Feeding realValue() back to setRealValue() never moves the slider.
void TestLogSlider::realValueRoundTrips()
{
    QFETCH(int, minExp);
    QFETCH(int, maxExp);
    QFETCH(int, precision);
    LogSlider s;
    s.setRealRange(minExp, maxExp, precision);
    for (int v = s.minimum(); v <= s.maximum(); ++v) {
        s.setValue(v);
        s.setRealValue(s.realValue());
        QVERIFY2(s.value() == v, qPrintable(QStringLiteral("%1 became %2").arg(v).arg(s.value())));
    }
}

void TestLogSlider::tickTable_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QList<int>>("digits");
    QTest::addColumn<QList<int>>("positions");

    QTest::newRow("20 pixels") << 20 << QList<int>{1, 2, 3, 5, 7, 10} << QList<int>{0, 6, 9, 13, 16, 20};
    QTest::newRow("10 pixels") << 10 << QList<int>{1, 3, 5, 10} << QList<int>{0, 4, 6, 10};
    QTest::newRow("upwards 20 pixels") << -20 << QList<int>{1, 2, 3, 5, 7, 10} << QList<int>{0, -6, -9, -13, -16, -20};
    QTest::newRow("100 pixels: all") << 100 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
                                     << QList<int>{0, 30, 47, 60, 69, 77, 84, 90, 95, 100};
    QTest::newRow("3 pixels: ends only") << 3 << QList<int>{1, 10} << QList<int>{0, 3};
}

void TestLogSlider::tickTable()
{
    QFETCH(int, length);
    QFETCH(QList<int>, digits);
    QFETCH(QList<int>, positions);
    // Range 0..1 with precision 100.
    const LogSliderScale scale(0, 1, 100, 0, 100);
    bool visible[10];
    scale.preprocessTicks(visible, length, 4);
    QList<int> shown, at;
    for (int k = 1; k <= 10; ++k) {
        if (visible[k - 1]) {
            shown << k;
            at << scale.tickPosition(k, 0, length);
        }
    }
    QCOMPARE(shown, digits);
    QCOMPARE(at, positions);
    // The same spacing holds in every decade and with an offset.
    const LogSliderScale twoDecades(0, 2, 100, 0, 200);
    QCOMPARE(twoDecades.tickPosition(30.0, 5, 2 * length), 5 + length + scale.tickPosition(3, 0, length));
}

void TestLogSlider::marks_data()
{
    QTest::addColumn<int>("minExp");
    QTest::addColumn<int>("maxExp");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("labels");   // text@pos, "<" when it ends at pos

    QTest::newRow("powers of ten labelled once")
        << 0 << 3 << 10 << 300
        << QStringList{"1@10", "2@40", "3@57", "4@70", "5@79", "7@94", "10@110", "20@140", "30@157",
                       "50@179", "100@210", "300@257", "1000@310<"};
    QTest::newRow("upwards") << 0 << 3 << 300 << -300
                             << QStringList{"1@300", "2@270", "3@253", "4@240", "5@231", "7@216", "10@200",
                                            "20@170", "30@153", "50@131", "100@100", "300@53", "1000@0<"};
    QTest::newRow("last power of ten would touch the maximum")
        << -2 << 4 << 0 << 120 << QStringList{"0.01@0", "0.1@20", "1@40", "10@60", "100@80", "10000@120<"};
}

// Which marks get a label, where, and on which side; 5 pixels per character.
void TestLogSlider::marks()
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
    QCOMPARE(marks.size(), 9 * (maxExp - minExp) + 1);   // every value once
    QStringList shown;
    for (const LogSliderMark& m : marks) {
        QCOMPARE(m.pos, scale.tickPosition(m.value, start, length));
        if (!m.label.isEmpty())
            shown << QStringLiteral("%1@%2%3").arg(m.label).arg(m.pos).arg(m.leftAligned ? "" : "<");
    }
    QCOMPARE(shown, labels);
}

void TestLogSlider::sizeHints_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("ticks");
    QTest::addColumn<int>("textSize");
    QTest::addColumn<QSize>("extra");

    QTest::newRow("horizontal") << int(Qt::Horizontal) << true << 8 << QSize(0, 8);
    QTest::newRow("horizontal 12") << int(Qt::Horizontal) << true << 12 << QSize(0, 12);
    QTest::newRow("horizontal without ticks") << int(Qt::Horizontal) << false << 8 << QSize(0, 0);
    QTest::newRow("vertical") << int(Qt::Vertical) << true << 8 << QSize(8, 0);
    QTest::newRow("negative text size adds nothing") << int(Qt::Horizontal) << true << -4 << QSize(0, 0);
}

void TestLogSlider::sizeHints()
{
    QFETCH(int, orientation);
    QFETCH(bool, ticks);
    QFETCH(int, textSize);
    QFETCH(QSize, extra);
    LogSlider s{Qt::Orientation(orientation)};
    s.setDrawLogTicks(ticks);
    s.setTickTextSize(textSize);
    const QSlider stock{Qt::Orientation(orientation)};
    QCOMPARE(s.sizeHint(), stock.sizeHint() + extra);
    QCOMPARE(s.minimumSizeHint(), stock.minimumSizeHint() + extra);
}

void TestLogSlider::painting_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("minExp");
    QTest::addColumn<int>("maxExp");
    QTest::addColumn<int>("precision");
    QTest::addColumn<int>("textSize");

    QTest::newRow("horizontal 6 decades") << int(Qt::Horizontal) << -2 << 4 << 100 << 8;
    QTest::newRow("vertical 3 decades") << int(Qt::Vertical) << 0 << 3 << 50 << 8;
    QTest::newRow("horizontal 600 decades") << int(Qt::Horizontal) << -300 << 300 << 1 << 8;
    QTest::newRow("horizontal, text size 0") << int(Qt::Horizontal) << 0 << 3 << 10 << 0;
}

void TestLogSlider::painting()
{
    QFETCH(int, orientation);
    QFETCH(int, minExp);
    QFETCH(int, maxExp);
    QFETCH(int, precision);
    QFETCH(int, textSize);
    const bool horizontal = orientation == Qt::Horizontal;
    ExposedLogSlider s{Qt::Orientation(orientation)};
    s.setTickTextSize(textSize);
    s.setRealRange(minExp, maxExp, precision);
    s.setRealValue(std::pow(10.0, maxExp));   // handle out of the way at the far end
    s.resize(horizontal ? QSize(320, 40) : QSize(40, 320));

    // Default colours are chosen from the palette at the first paint, and kept.
    const QImage first = Render(s);
    const QColor midlight = s.palette().color(QPalette::Midlight);
    QCOMPARE(s.tickColor(), midlight);
    QCOMPARE(s.expTickColor(), midlight.darker(170));
    QVERIFY(Count(first, s.expTickColor()) > 0);

    s.setTickColor(QColor(255, 0, 0));
    s.setExpTickColor(QColor(0, 0, 255));
    const QImage coloured = Render(s);
    QVERIFY(Count(coloured, QColor(0, 0, 255)) > 0);
    if (maxExp - minExp < 10)
        QVERIFY(Count(coloured, QColor(255, 0, 0)) > 0);
    // Labels go below the groove, or left of it when vertical, where no tick reaches.
    QStyleOptionSlider option;
    s.initStyleOption(&option);
    const QRect groove = s.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &s);
    const QRect labelStrip = horizontal ? QRect(QPoint(0, groove.bottom() + 1), QPoint(s.width() - 1, s.height() - 1))
                                        : QRect(QPoint(0, 0), QPoint(groove.left() - 1, s.height() - 1));
    int blueInk = 0;   // text is antialiased: blue blended into white
    for (int y = labelStrip.top(); y <= labelStrip.bottom(); ++y)
        for (int x = labelStrip.left(); x <= labelStrip.right(); ++x)
            blueInk += QColor(coloured.pixel(x, y)).blue() - QColor(coloured.pixel(x, y)).red() > 60;
    QVERIFY(textSize <= 0 || blueInk > 20);

    // Turning the ticks off leaves the stock slider.
    s.setDrawLogTicks(false);
    const QImage plain = Render(s);
    QCOMPARE(Count(plain, QColor(0, 0, 255)), 0);
    QCOMPARE(Count(plain, QColor(255, 0, 0)), 0);
}

QTEST_MAIN(TestLogSlider)
#include "tst_logslider.moc"
