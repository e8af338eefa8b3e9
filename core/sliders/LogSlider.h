#pragma once

#include <QuillCoreExport.h>

#include <QColor>
#include <QSlider>

class QPainter;

namespace Quill {
namespace UI {

class LogSliderScale;

// A logarithmic slider on top of QSlider. setRealRange(minExp, maxExp, precision)
// makes the integer slider run from minExp * precision to maxExp * precision, so
// that its value v stands for the real value 10^(v / precision). Over the stock
// painting it draws ticks at 1, 2, ..., 9 times every power of ten, thinned so they
// do not crowd, with small labels.
//
// Misuse throws: setRealRange() std::invalid_argument for a precision below 1,
// equal exponents, exponents outside -307..308 or a range that does not fit the
// slider's int positions (the object is then unchanged); realValue() and
// setRealValue() std::logic_error before the first setRealRange(). Until then the
// slider paints as a stock QSlider without ticks.
//
// setRealValue() clamps to 10^minExp..10^maxExp and ignores NaN. Value changes are
// reported by the inherited QAbstractSlider signals, in slider positions.
//
// Labels (see LogSliderScale::marks()): a power of ten inside the range is labelled
// once, to the right of (above) its tick; in the last decade any label that would
// run into the maximum's is left out; a vertical slider draws them turned by 90
// degrees, left of the groove. minimumSizeHint() counts the label room once,
// through sizeHint().
// GUI thread only.
class QUILL_CORE_EXPORT LogSlider : public QSlider
{
    Q_OBJECT
    Q_PROPERTY(double realValue READ realValue WRITE setRealValue)
    Q_PROPERTY(bool drawLogTicks READ drawLogTicks WRITE setDrawLogTicks)
    Q_PROPERTY(int tickTextSize READ tickTextSize WRITE setTickTextSize)
    Q_PROPERTY(QColor tickColor READ tickColor WRITE setTickColor)
    Q_PROPERTY(QColor expTickColor READ expTickColor WRITE setExpTickColor)
public:
    explicit LogSlider(QWidget* parent = nullptr);
    explicit LogSlider(Qt::Orientation orientation, QWidget* parent = nullptr);
    ~LogSlider() override;

    // Exponents may come in either order; the smaller one is the minimum.
    void setRealRange(int minExp, int maxExp, int precision);

    double realValue() const;
    // Sets the slider to (int)(log10(value) * precision), truncated toward zero,
    // after clamping value into the real range. A product within 1e-9 of a whole
    // number counts as that number, so setRealValue(realValue()) never moves the
    // slider.
    void setRealValue(double value);

    bool drawLogTicks() const { return m_drawLogTicks; }
    void setDrawLogTicks(bool on) { m_drawLogTicks = on; }
    // Pixel size of the label font; values below 1 draw with 1 and add nothing to
    // the size hints.
    int tickTextSize() const { return m_tickTextSize; }
    void setTickTextSize(int pixels) { m_tickTextSize = pixels; }
    // Ticks and labels inside a decade. Invalid (the default) means the palette's
    // Midlight colour, chosen and stored at the first paint.
    QColor tickColor() const { return m_tickColor; }
    void setTickColor(const QColor& color) { m_tickColor = color; }
    // Ticks and labels at powers of ten. Invalid means Midlight darkened by 170.
    QColor expTickColor() const { return m_expTickColor; }
    void setExpTickColor(const QColor& color) { m_expTickColor = color; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // 10^(position / precision), without the range check (0 before a range is set).
    double calculateRealValue(int position) const;
    // The slider position for a real value, without the range check (the slider
    // minimum before a range is set).
    int calculateSliderValue(double value) const;

    void paintEvent(QPaintEvent* event) override;

private:
    LogSliderScale scale() const;
    bool checkTick(const QRect& rect, int pos);
    void drawTick(QPainter& painter, const QRect& groove, int pos, bool labelled);
    void drawText(QPainter& painter, const QRect& rect, int pos, const QString& text, bool leftAligned);
    void ensureRangeSet() const;

    int m_minExp = 0;
    int m_maxExp = 0;
    int m_precision = 0;   // 0: no real range yet
    double m_minReal = 0.0;
    double m_maxReal = 0.0;
    bool m_drawLogTicks = true;
    int m_tickTextSize = 8;
    QColor m_tickColor;
    QColor m_expTickColor;
};

} // namespace UI
} // namespace Quill
