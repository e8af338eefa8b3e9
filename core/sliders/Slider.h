#pragma once

#include <QuillCoreExport.h>

#include <QColor>
#include <QGradient>
#include <QVector>
#include <QWidget>

#include <memory>

class QLine;
class QPainter;

namespace Quill {
namespace UI {

class SliderScale;

// A small custom-painted slider holding a double value between a minimum and a
// maximum. The value maps to the slot through a linear scale or, in kLog mode, a
// logarithmic one (range above zero), a square-root one (range starting at zero)
// or a two-sided square-root one (range across zero); a range at or below zero is
// shown mirrored. Dragging snaps the value to 1, 2 or 5 times a power of ten,
// chosen from the value worth of one pixel. The groove shows ticks and labels that
// adapt to the length and the scale, plus the minimum and maximum.
//
// Setters never emit; only mouse interaction emits, in this order for a drag:
// sliderPressed(), then per move that changes the value valueChanged(v) and
// sliderMoved(v), then sliderReleased(). The value is not clamped to the range;
// a value outside it shows as a triangle pointing past the slot end.
//
// Non-finite numbers: setValue(), setRange(), setMinimum(), setMaximum() and
// setStep() ignore NaN and infinities and keep the current state, so painting and
// mapping only ever see finite numbers. setMinTickSeparation() values below 1 act
// as 1 for the tick layout.
//
// Ticks and labels (cached between paints): a tick label
// that would run into the minimum's or the maximum's label is left out; on a
// logarithmic scale a digit is labelled only with 25 pixels of room up to the next
// labelled one; the square-root ticks of a range at or below zero are thinned by
// the pixel width of the values on the slider, the mirror image of the positive
// range. A drag ignores rounding noise in the value worth of one pixel, so that
// every pixel of a 0..1 slot 100 pixels long steps by exactly 0.01, and always
// selects a value inside the range (a step that does not divide the ends is not
// allowed to snap past them), however far outside the widget the pointer is.
// The thumb is placed by the rule that places the ticks, so it is centred on the
// tick of its value.
//
// Painting is done by the protected virtual operations, which subclasses may
// replace. GUI thread only.
class QUILL_CORE_EXPORT Slider : public QWidget
{
    Q_OBJECT
public:
    enum ValueType { kInt = 0, kDouble = 1 };
    Q_ENUM(ValueType)
    enum SliderMode { kLinear = 0, kLog = 1 };
    Q_ENUM(SliderMode)

    explicit Slider(ValueType type = kDouble, SliderMode mode = kLinear,
                    Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);
    ~Slider() override;

    double value() const { return m_value; }
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    double step() const { return m_step; }
    ValueType type() const { return m_type; }
    SliderMode mode() const { return m_mode; }
    Qt::Orientation orientation() const { return m_orientation; }
    // maximum - minimum; +infinity for ranges wider than the largest double.
    double rangeDelta() const { return m_maximum - m_minimum; }

    // Stored for clients; the slider itself does not use it.
    void setStep(double step);
    // The groove's centre line: a plain colour or a gradient (in widget pixels).
    // Neither schedules a repaint.
    void setColor(const QColor& color);
    void setColor(const QGradient& gradient);

    QSize sizeHint() const override;

public slots:
    void setOrientation(Qt::Orientation orientation);
    void setValue(double value);
    void setMode(SliderMode mode);
    void setType(ValueType type);
    void setRange(double minimum, double maximum);
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    void setMinTickSeparation(int pixels);

signals:
    void sliderMoved(double value);
    void sliderPressed();
    void sliderReleased();
    void valueChanged(double value);

protected:
    // kLog mode on a range that does not touch zero (the logarithmic curve).
    bool isLog() const;
    // The mapping of the current range, mode and type (see SliderScale).
    SliderScale scale() const;
    double positionToValue(double position) const;
    double valueToPosition(double value, bool clamp) const;
    // slotSize(start, end), then the pointer coordinate along the slider.
    int eventSlotSize(int& start, int& end, QPoint pos);

    virtual void figureThumbSlot(QRect& thumb);
    virtual void figureTickSlots(QRect& ticks, QRect& labels);
    virtual void slotSize(int& start, int& end);
    virtual void paintBackground(QPainter& painter);
    virtual void paintTick(QVector<QLine>& lines, const QRect& ticks, int position, int length);
    // `labels` may be null: then nothing is drawn.
    virtual void paintLabel(QPainter& painter, const QRect* labels, int position, double value);
    virtual void paintLinearTicks(QPainter& painter, const QRect& ticks, const QRect* labels);
    virtual void paintLogTicks(QPainter& painter, const QRect& ticks, const QRect* labels);
    virtual void paintSquareTicks(QPainter& painter, const QRect& ticks, const QRect* labels);
    virtual void paintTicks(QPainter& painter);
    virtual void paintThumb(QPainter& painter);
    // direction: 0 left (horizontal, below the minimum), 1 right, 2 down (vertical,
    // below), 3 up.
    virtual void paintOutOfRangeThumb(QPainter& painter, const QRect& thumb, int direction) const;
    virtual QColor thumbColor();

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Ignores moves with no button held (hover with mouse tracking on).
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class TickKind { Linear, Log, Square };
    // Tick layouts, cached per kind and recomputed only when what they depend on
    // (range, mode, type, slot, separation) changes.
    struct TickCache;
    void drawTicks(QPainter& painter, const QRect& ticks, const QRect* labels, TickKind kind);

    double m_value;
    double m_minimum = 0.0;
    double m_maximum;
    double m_step;
    ValueType m_type;
    SliderMode m_mode;
    Qt::Orientation m_orientation;
    int m_minTickSeparation = 5;
    bool m_logTicks[10] = {};    // digits of a decade that get a tick (last log paint)
    bool m_logLabels[10] = {};   // digits of a decade that get a label
    QColor m_color;
    QGradient m_gradient;
    bool m_useGradient = false;
    std::unique_ptr<TickCache> m_tickCache;
};

} // namespace UI
} // namespace Quill
