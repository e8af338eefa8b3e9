#include "ColorSlider.h"

#include "ColorComponents_p.h"

#include <sliders/SliderScale_p.h>

#include <QMouseEvent>

namespace Quill {
namespace UI {

ColorSlider::ColorSlider(ColorUIConstants::Component component, Qt::Orientation orientation)
    : Slider(kDouble, component == ColorUIConstants::kHue ? kLinear : kLog, orientation, nullptr),
      ColorControlWidget(this),
      m_component(component)
{
    setValue(0.0);
    setStep(double(0.01f));
    if (component == ColorUIConstants::kTemperature || component == ColorUIConstants::kMagentaGreen)
        setRange(-1.0, 1.0);
    else
        setRange(0.0, 1.0);
}

ColorSlider::~ColorSlider()
{
    // While the slider is still whole: its connections are cut before it goes.
    deregisterWithControl();
}

void ColorSlider::defaultColorChanged()
{
    double v;
    if (ColorComponents::Value(getDefaultFromControl(), m_component, &v))
        setDefaultValue(float(v));
}

void ColorSlider::updateFromControl()
{
    double v;
    if (ColorComponents::Value(getColorFromControl(), m_component, &v))
        setValue(v);
}

void ColorSlider::rangeChanged(double minimum, double maximum)
{
    if (m_component == ColorUIConstants::kTemperature || m_component == ColorUIConstants::kMagentaGreen)
        setRange(-maximum, maximum);
    else
        setRange(minimum, maximum);
}

void ColorSlider::setAlphaEnabled(bool)
{
}

void ColorSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        Slider::mouseMoveEvent(event);
        return;
    }
    // Hovering with control held (mouse tracking on) is not a click.
    if (event->buttons() == Qt::NoButton && event->type() == QEvent::MouseMove)
        return;
    const double target = m_defaultValue;
    if (target == value())
        return;
    emit valueChanged(target);
    emit sliderMoved(target);
    setValue(target);
}

void ColorSlider::paintBackground(QPainter& painter)
{
    switch (m_component) {
    case ColorUIConstants::kRed: setColor(ColorUIConstants::red()); break;
    case ColorUIConstants::kGreen: setColor(ColorUIConstants::green()); break;
    case ColorUIConstants::kBlue: setColor(ColorUIConstants::blue()); break;
    case ColorUIConstants::kAlpha: setColor(ColorUIConstants::grey()); break;
    case ColorUIConstants::kSaturation: break;
    default: {
        if (m_gradientSize != size() || m_gradientMinimum != minimum() || m_gradientMaximum != maximum()
            || m_gradientMode != int(mode()) * 2 + int(orientation())) {
            m_gradient = createGradient();
            m_gradientSize = size();
            m_gradientMinimum = minimum();
            m_gradientMaximum = maximum();
            m_gradientMode = int(mode()) * 2 + int(orientation());
        }
        setColor(m_gradient);
        break;
    }
    }
    Slider::paintBackground(painter);
}

void ColorSlider::paintTicks(QPainter& painter)
{
    if (m_ticksEnabled)
        Slider::paintTicks(painter);
}

QLinearGradient ColorSlider::createGradient() const
{
    // Left to right, or bottom to top, in widget pixels.
    QLinearGradient gradient = orientation() == Qt::Horizontal ? QLinearGradient(0, 0, width(), 0)
                                                               : QLinearGradient(0, height(), 0, 0);
    gradient.setStops(ColorComponents::Stops(m_component, scale()));
    return gradient;
}

} // namespace UI
} // namespace Quill
