#include "ColorControl.h"

#include "ColorControlWidget.h"
#include "ColorSlider.h"
#include "ColorWheel.h"
#include "IColorControlClient.h"

#include <cmath>

namespace Quill {
namespace UI {

const QString ColorControl::kColorWheelEmbeddedName = QStringLiteral("ColorWheelEmbedded");
const QString ColorControl::kRgbaPanelName = QStringLiteral("RBGAPanel");

namespace {

bool Finite(double a, double b = 0.0, double c = 0.0, double d = 0.0)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

} // namespace

ColorControl::ColorControl(IColorControlClient* client)
    : QObject(nullptr), m_client(client)
{
}

ColorControl::~ColorControl()
{
    // The widgets outlive us: they must not reach back when they are destroyed.
    for (ColorControlWidget* w : qAsConst(m_widgets))
        w->setControl(nullptr);
}

void ColorControl::getColorRGBA(float& red, float& green, float& blue, float& alpha) const
{
    m_color.getRGBA(&red, &green, &blue, &alpha);
}

void ColorControl::setColorRGBA(float r, float g, float b, float a)
{
    if (!Finite(r, g, b, m_alphaEnabled ? a : 0.0f))
        return;
    m_color.setRGB(r, g, b);
    if (m_alphaEnabled)
        m_color.alpha = a;
    update();
}

void ColorControl::setDefaultColorRGBA(double r, double g, double b, double a)
{
    if (!Finite(r, g, b, m_alphaEnabled ? a : 0.0))
        return;
    m_defaultColor.setRGB(float(r), float(g), float(b));
    if (m_alphaEnabled)
        m_defaultColor.alpha = float(a);
    const QVector<ColorControlWidget*> widgets = m_widgets;
    for (ColorControlWidget* w : widgets)
        if (m_widgets.contains(w))
            w->defaultColorChanged();
}

void ColorControl::setColorRange(double minimum, double maximum)
{
    if (!Finite(minimum, maximum))
        return;
    m_rangeMinimum = minimum;
    m_rangeMaximum = maximum;
    const QVector<ColorControlWidget*> widgets = m_widgets;
    for (ColorControlWidget* w : widgets)
        if (m_widgets.contains(w))
            w->rangeChanged(minimum, maximum);
}

void ColorControl::setAlphaEnabled(bool enabled)
{
    m_alphaEnabled = enabled;
    const QVector<ColorControlWidget*> widgets = m_widgets;
    for (ColorControlWidget* w : widgets)
        if (m_widgets.contains(w))
            w->setAlphaEnabled(enabled);
}

void ColorControl::removeWidget(ColorControlWidget* widget)
{
    const int index = m_widgets.indexOf(widget);
    if (index < 0)
        return;
    m_widgets.remove(index);
    // A removed widget must stop editing the colour, and must not reach back into
    // this controller once it is gone.
    QObject::disconnect(widget->widgetObject(), nullptr, this, nullptr);
    widget->setControl(nullptr);
}

void ColorControl::registerWidget(ColorControlWidget* widget)
{
    m_widgets.append(widget);
    widget->setControl(this);
}

ColorWheel* ColorControl::createColorWheel()
{
    auto* wheel = new ColorWheel(nullptr, ColorWheel::kEmbedded);
    wheel->setObjectName(kColorWheelEmbeddedName);
    connect(wheel, SIGNAL(hsvChanged(float, float, float)), this, SLOT(hsvChanged(float, float, float)));
    connect(wheel, SIGNAL(startDragSignal()), this, SLOT(dragStarted()));
    registerWidget(wheel);
    wheel->updateFromControl();
    return wheel;
}

ColorSlider* ColorControl::createSlider(ColorUIConstants::Component component, Qt::Orientation orientation,
                                        const char* slot)
{
    auto* slider = new ColorSlider(component, orientation);
    connect(slider, SIGNAL(sliderPressed()), this, SLOT(dragStarted()));
    registerWidget(slider);
    slider->setRange(m_rangeMinimum, m_rangeMaximum);
    slider->setTicksEnabled(true);
    slider->updateFromControl();
    slider->defaultColorChanged();
    connect(slider, SIGNAL(valueChanged(double)), this, slot);
    return slider;
}

ColorSlider* ColorControl::createRedSlider(Qt::Orientation orientation)
{
    return createSlider(ColorUIConstants::kRed, orientation, SLOT(redChanged(double)));
}

ColorSlider* ColorControl::createGreenSlider(Qt::Orientation orientation)
{
    return createSlider(ColorUIConstants::kGreen, orientation, SLOT(greenChanged(double)));
}

ColorSlider* ColorControl::createBlueSlider(Qt::Orientation orientation)
{
    return createSlider(ColorUIConstants::kBlue, orientation, SLOT(blueChanged(double)));
}

ColorSlider* ColorControl::createAlphaSlider(Qt::Orientation orientation)
{
    ColorSlider* slider = createSlider(ColorUIConstants::kAlpha, orientation, SLOT(alphaChanged(double)));
    slider->setEnabled(m_alphaEnabled);
    return slider;
}

ColorSlider* ColorControl::createVerticalValueSlider()
{
    return createSlider(ColorUIConstants::kValue, Qt::Vertical, SLOT(valueChanged(double)));
}

ColorSlider* ColorControl::createVerticalIntensitySlider()
{
    return createSlider(ColorUIConstants::kIntensity, Qt::Vertical, SLOT(intensityChanged(double)));
}

ColorSlider* ColorControl::createVerticalTemperatureSlider()
{
    ColorSlider* slider =
        createSlider(ColorUIConstants::kTemperature, Qt::Vertical, SLOT(temperatureChanged(double)));
    slider->setRange(-m_rangeMaximum, m_rangeMaximum);
    return slider;
}

ColorSlider* ColorControl::createVerticalMagentaGreenSlider()
{
    ColorSlider* slider =
        createSlider(ColorUIConstants::kMagentaGreen, Qt::Vertical, SLOT(magentaGreenChanged(double)));
    slider->setRange(-m_rangeMaximum, m_rangeMaximum);
    return slider;
}

// --- user edits -------------------------------------------------------------------

void ColorControl::commit(const Colour::Color4& color)
{
    if (!color.isFinite())
        return;
    m_color = color;
    updateAndNotifyClient();
}

void ColorControl::hsvChanged(float hue, float saturation, float value)
{
    Colour::Color4 c = m_color;
    c.setHSV(hue, saturation, value);
    commit(c);
}

void ColorControl::rgbaChanged(double red, double green, double blue, double alpha)
{
    commit(Colour::Color4(float(red), float(green), float(blue), float(alpha)));
}

void ColorControl::intensityChanged(double intensity)
{
    Colour::Color4 c = m_color;
    float t, m;
    c.getTMI(&t, &m, nullptr);
    c.setTMI(t, m, float(intensity));
    commit(c);
}

void ColorControl::temperatureChanged(double temperature)
{
    Colour::Color4 c = m_color;
    float m, i;
    c.getTMI(nullptr, &m, &i);
    c.setTMI(float(temperature), m, i);
    commit(c);
}

void ColorControl::magentaGreenChanged(double magentaGreen)
{
    Colour::Color4 c = m_color;
    float t, i;
    c.getTMI(&t, nullptr, &i);
    c.setTMI(t, float(magentaGreen), i);
    commit(c);
}

void ColorControl::valueChanged(double value)
{
    Colour::Color4 c = m_color;
    float h, s;
    c.getHSV(&h, &s, nullptr);
    c.setHSV(h, s, float(value));
    commit(c);
}

void ColorControl::setChannel(float Colour::Color4::*channel, double value)
{
    Colour::Color4 c = m_color;
    c.*channel = float(value);
    commit(c);
}

void ColorControl::redChanged(double red)
{
    setChannel(&Colour::Color4::red, red);
}

void ColorControl::greenChanged(double green)
{
    setChannel(&Colour::Color4::green, green);
}

void ColorControl::blueChanged(double blue)
{
    setChannel(&Colour::Color4::blue, blue);
}

void ColorControl::alphaChanged(double alpha)
{
    setChannel(&Colour::Color4::alpha, alpha);
}

void ColorControl::dragStarted()
{
    if (m_client)
        m_client->dragStarted();
}

void ColorControl::update()
{
    // A widget's update may remove widgets (deleting one, say): never index past
    // the list as it is now, and never call one that has left it.
    const QVector<ColorControlWidget*> widgets = m_widgets;
    for (ColorControlWidget* w : widgets)
        if (m_widgets.contains(w))
            w->updateFromControl();
}

void ColorControl::updateAndNotifyClient()
{
    update();
    if (m_client)
        m_client->colorChanged(m_color.red, m_color.green, m_color.blue, m_color.alpha);
}

} // namespace UI
} // namespace Quill
