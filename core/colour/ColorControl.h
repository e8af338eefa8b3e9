#pragma once

#include <QuillCoreExport.h>

#include <colour/Color4.h>
#include <colour/ColorUIConstants.h>

#include <QObject>
#include <QString>
#include <QVector>

namespace Quill {
namespace UI {

class ColorControlWidget;
class ColorSlider;
class ColorWheel;
class IColorControlClient;

// The controller of a colour picker: one current and one default colour, a value
// range for the sliders and an alpha flag. It makes the picker's widgets (a wheel
// and component sliders; parentless, for the host to place), keeps them showing the
// current colour and reports user edits to its client:
//   widget signal -> slot here -> colour updated -> every widget refreshed -> client.
// Host setters refresh the widgets but do not reach the client. Owns neither the
// widgets nor the client. Non-finite numbers passed to the setters and slots are
// ignored: the colour keeps its last finite value. GUI thread only.
class QUILL_CORE_EXPORT ColorControl : public QObject
{
    Q_OBJECT
public:
    explicit ColorControl(IColorControlClient* client);
    ~ColorControl() override;

    // Object name of the wheel createColorWheel() makes.
    static const QString kColorWheelEmbeddedName;
    static const QString kRgbaPanelName;

    Colour::Color4 getColor() const { return m_color; }
    Colour::Color4 getDefaultColor() const { return m_defaultColor; }
    void getColorRGBA(float& red, float& green, float& blue, float& alpha) const;
    double rangeMinimum() const { return m_rangeMinimum; }
    double rangeMaximum() const { return m_rangeMaximum; }
    bool alphaEnabled() const { return m_alphaEnabled; }
    // Registered widgets, in registration order.
    QVector<ColorControlWidget*> widgets() const { return m_widgets; }

    // Alpha is taken only while alpha editing is enabled.
    void setColorRGBA(float r, float g, float b, float a);
    void setDefaultColorRGBA(double r, double g, double b, double a);
    void setColorRange(double minimum, double maximum);
    void setAlphaEnabled(bool enabled);
    // Unregisters the widget and cuts its connections to this controller, so it can
    // no longer edit the colour. Nothing happens for a widget not registered here.
    void removeWidget(ColorControlWidget* widget);

    ColorWheel* createColorWheel();
    ColorSlider* createRedSlider(Qt::Orientation orientation);
    ColorSlider* createGreenSlider(Qt::Orientation orientation);
    ColorSlider* createBlueSlider(Qt::Orientation orientation);
    ColorSlider* createAlphaSlider(Qt::Orientation orientation);
    ColorSlider* createVerticalValueSlider();
    ColorSlider* createVerticalIntensitySlider();
    ColorSlider* createVerticalTemperatureSlider();
    ColorSlider* createVerticalMagentaGreenSlider();

public slots:
    void hsvChanged(float hue, float saturation, float value);
    void rgbaChanged(double red, double green, double blue, double alpha);
    void intensityChanged(double intensity);
    void temperatureChanged(double temperature);
    void magentaGreenChanged(double magentaGreen);
    void valueChanged(double value);
    void redChanged(double red);
    void greenChanged(double green);
    void blueChanged(double blue);
    void alphaChanged(double alpha);
    void dragStarted();

private:
    ColorSlider* createSlider(ColorUIConstants::Component component, Qt::Orientation orientation,
                              const char* slot);
    void registerWidget(ColorControlWidget* widget);
    // Applies an edited colour when it is finite, then refreshes and notifies.
    void commit(const Colour::Color4& color);
    // The current colour with one of its red, green, blue or alpha members set.
    void setChannel(float Colour::Color4::*channel, double value);
    void update();
    void updateAndNotifyClient();

    IColorControlClient* m_client;
    QVector<ColorControlWidget*> m_widgets;
    Colour::Color4 m_color;
    Colour::Color4 m_defaultColor;
    double m_rangeMinimum = 0.0;
    double m_rangeMaximum = 4.0;
    bool m_alphaEnabled = true;
};

} // namespace UI
} // namespace Quill
