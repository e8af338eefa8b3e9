#pragma once

#include <QuillCoreExport.h>

#include <colour/ColorControlWidget.h>
#include <colour/ColorUIConstants.h>
#include <sliders/Slider.h>

#include <QLinearGradient>

namespace Quill {
namespace UI {

// A Slider that shows and edits one component of a ColorControl's colour. Its
// track is the component's colour, or a gradient of the colours the component runs
// through (hue, value, temperature, magenta-green, intensity); a saturation slider
// keeps whatever colour the host gave it. Hue uses a linear scale, every other
// component the Slider's non-linear one. Control-click (or control-drag) snaps the
// component to its value in the controller's default colour.
class QUILL_CORE_EXPORT ColorSlider : public Slider, public ColorControlWidget
{
    Q_OBJECT
public:
    ColorSlider(ColorUIConstants::Component component, Qt::Orientation orientation);
    ~ColorSlider() override;

    ColorUIConstants::Component getCompenent() const { return m_component; }
    ColorUIConstants::Component component() const { return m_component; }
    // Takes effect from the next paint.
    void setTicksEnabled(bool enabled) { m_ticksEnabled = enabled; }
    bool ticksEnabled() const { return m_ticksEnabled; }
    // The component's value in the controller's default colour.
    double defaultValue() const { return m_defaultValue; }

    void defaultColorChanged() override;
    void updateFromControl() override;
    // Temperature and magenta-green run from -maximum to maximum.
    void rangeChanged(double minimum, double maximum) override;
    // Does nothing: the controller enables an alpha slider when it makes it.
    void setAlphaEnabled(bool enabled) override;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintBackground(QPainter& painter) override;
    void paintTicks(QPainter& painter) override;

private:
    void setDefaultValue(float value) { m_defaultValue = double(value); }
    QLinearGradient createGradient() const;

    ColorUIConstants::Component m_component;
    bool m_ticksEnabled = true;
    double m_defaultValue = 0.0;
    // The track gradient, rebuilt only when the size, range or mode changes.
    QLinearGradient m_gradient;
    QSize m_gradientSize;
    double m_gradientMinimum = 0.0;
    double m_gradientMaximum = 0.0;
    int m_gradientMode = -1;
};

} // namespace UI
} // namespace Quill
