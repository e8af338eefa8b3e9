#pragma once

#include <QuillCoreExport.h>

#include <colour/ColorControlWidget.h>

#include <QImage>
#include <QWidget>

namespace Quill {
namespace Colour {
class TransformI;
}
namespace UI {

// A custom-painted HSV picker: a disc whose angle is hue (0 red at three o'clock,
// counter-clockwise, turned by hueRotation) and whose radius is saturation
// (1 on the inner radius; the darker band out to the rim shows saturations above
// 1), shaded by value. Four looks: a plain disc, a hue ring around a
// saturation/value square, a disc inside a value ring, and a small fixed-size
// embedded disc (relative interaction: the pointer's movement, scaled, moves the
// marker).
//
// Mouse: left drag picks hue and saturation (control: hue only, shift: saturation
// only, control+shift: value only), right drag moves value (500 px per unit),
// a press outside the disc picks the hue. With zoom enabled: alt drag pans, middle
// drag zooms to the dragged box (a middle click resets the view), alt+middle drag
// zooms continuously (96 px per octave), the scroll wheel zooms by quarter octaves
// about the pointer. Zoom runs from 1 to 6, pan up to 1.9 inner radii.
//
// Signals: startDragSignal() at a press that starts a drag, hsvChanged() for every
// move that changes the colour (not in the ring-and-square look: read getHSV() on
// draggingSignal() there), draggingSignal() after each move, stopDragSignal() at
// the release. Setters emit nothing. Non-finite numbers passed to setters are
// ignored. Painting is cached (disc, shading, square) and drawn at the device's
// resolution. GUI thread only.
class QUILL_CORE_EXPORT ColorWheel : public QWidget, public ColorControlWidget
{
    Q_OBJECT
public:
    enum DisplayMode { kWheel = 0, kRingAndSquare = 1, kWheelWithValueRing = 2, kEmbedded = 3 };
    Q_ENUM(DisplayMode)
    enum InteractionMode { kAbsoluteInteraction = 0, kRelativeInteraction = 1 };
    Q_ENUM(InteractionMode)

    explicit ColorWheel(Colour::TransformI* transform);
    ColorWheel(Colour::TransformI* transform, const DisplayMode& mode);
    ~ColorWheel() override;

    Colour::TransformI* transform() const { return m_transform; }

    // Wrapped into [0, 1).
    void setHue(float hue);
    void setSaturation(float saturation);
    void setValue(float value);
    // Stored as given (no wrapping).
    void setHSV(float hue, float saturation, float value);
    // Returns true when value is 0.
    bool getHSV(float& hue, float& saturation, float& value) const;
    float getClampedHue() const;
    // The value shown by the value ring (kWheelWithValueRing); 1 until set.
    void setRingValue(float value);
    float ringValue() const { return m_ringValue; }
    void setZoomEnabled(bool enabled);
    bool getZoomEnabled() const { return m_zoomEnabled; }
    // Changes the look only; the size set at construction stays.
    void setDisplayMode(DisplayMode mode);
    DisplayMode displayMode() const { return m_displayMode; }
    void setInteractionMode(InteractionMode mode) { m_interactionMode = mode; }
    InteractionMode interactionMode() const { return m_interactionMode; }
    // Pointer pixels per marker pixel in relative interaction (0.1 by default).
    void setInteractionScale(float scale);
    float interactionScale() const { return m_interactionScale; }
    // Radians, counter-clockwise: where hue 0 is drawn.
    void setHueRotation(float radians);
    float hueRotation() const { return m_hueRotation; }
    float zoomFactor() const { return m_zoom; }
    float panX() const { return m_panX; }
    float panY() const { return m_panY; }

    QSize sizeHint() const override;

    void updateFromControl() override;
    void rangeChanged(double, double) override {}
    void setAlphaEnabled(bool) override {}

public slots:
    void setHSVSlot(float hue, float saturation, float value);

signals:
    void startDragSignal();
    void draggingSignal();
    void stopDragSignal();
    void changedSignal();
    void hsvChanged(float hue, float saturation, float value);

protected:
    bool isAbsoluteMode() const;
    void getMeasurements(float& base, float& centreX, float& centreY, float& radius, float& innerRadius) const;
    unsigned int getDragMode(unsigned int forced, QMouseEvent* event, bool outside);
    // Focus in units of the radius, relative to the centre; that point stays put.
    void zoom(float factor, float focusX, float focusY);
    // Zooms so that the box with these corners (relative to the centre) fills the
    // view, centred.
    void box_zoom(float x0, float y0, float x1, float y1);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Painting caches: the disc with its band, ring and shading; the square.
    struct LayerKey {
        QSize size;
        qreal dpr = 0;
        float zoom = 0, panX = 0, panY = 0, rotation = 0, shade = -1;
        int mode = -1;
        bool band = false;
        QRgb window = 0;
        bool operator==(const LayerKey& o) const;
    };
    void init(Colour::TransformI* transform, DisplayMode mode);
    // Sets the zoom and pans so that disc point `disc` stays at widget offset `pixel`.
    void applyZoom(float zoom, QPointF pixel, QPointF disc);
    LayerKey layerKey(qreal dpr) const;
    const QImage& disc(const LayerKey& key);
    const QImage& layer(qreal dpr);
    const QImage& square(qreal dpr, const QRectF& rect);

    Colour::TransformI* m_transform = nullptr;
    float m_hue = 0.0f;
    float m_saturation = 0.0f;
    float m_value = 1.0f;
    float m_ringValue = 1.0f;
    DisplayMode m_displayMode = kWheel;
    InteractionMode m_interactionMode = kAbsoluteInteraction;
    unsigned int m_dragMode = 0;
    int m_size = 200;
    bool m_zoomEnabled = true;
    float m_zoom = 1.0f;
    float m_panX = 0.0f;
    float m_panY = 0.0f;
    float m_interactionScale = 0.1f;
    float m_hueRotation = 0.0f;
    float m_anchorX = 0.0f, m_anchorY = 0.0f;
    float m_pointerX = 0.0f, m_pointerY = 0.0f;
    float m_pressX = 0.0f, m_pressY = 0.0f;
    float m_zoomAtPress = 1.0f, m_radiusAtPress = 1.0f;
    float m_hueAtPress = 0.0f, m_saturationAtPress = 0.0f, m_valueAtPress = 1.0f;
    float m_markerX = 0.0f, m_markerY = 0.0f;
    // Continuous zoom keeps the pressed point still: where it was and what it showed.
    QPointF m_zoomPixel, m_zoomDisc;

    QImage m_disc;      // disc, rim, value ring and band: all but the shading
    LayerKey m_discKey;
    QImage m_layer;     // m_disc with the value shading
    LayerKey m_layerKey;
    QImage m_square;
    float m_squareHue = -1.0f;
    QRectF m_squareRect;
    qreal m_squareDpr = 0;
};

} // namespace UI
} // namespace Quill
