#pragma once

#include <QuillCoreExport.h>

#include <colour/Color4.h>

class QObject;
class QWidget;

namespace Quill {
namespace UI {

class ColorControl;

// Mix-in base of every widget a ColorControl drives. The controller registers the
// widgets it makes and calls them only through this interface. A widget destroyed
// before its controller deregisters itself (its connections to the controller are
// cut and it leaves the controller's list); a controller destroyed first clears the
// widgets' pointer to it, so they stay usable and read opaque black.
class QUILL_CORE_EXPORT ColorControlWidget
{
public:
    explicit ColorControlWidget(QWidget* widget);
    ColorControlWidget(const ColorControlWidget&) = default;
    ColorControlWidget& operator=(const ColorControlWidget&) = default;
    virtual ~ColorControlWidget();

    // The controller's default colour changed. Does nothing by default.
    virtual void defaultColorChanged();
    // Re-read the controller's current colour. Must not emit the widget's change
    // signals (the controller calls it while handling them).
    virtual void updateFromControl() = 0;
    virtual void rangeChanged(double minimum, double maximum) = 0;
    virtual void setAlphaEnabled(bool enabled) = 0;

    // Stores the pointer only; registration is the controller's.
    void setControl(ColorControl* control) { m_control = control; }
    ColorControl* control() const { return m_control; }
    QObject* widgetObject() const { return m_widgetObject; }
    // Cuts the widget's connections to the controller and leaves its list.
    void deregisterWithControl();
    // The controller's colours, or opaque black without a controller.
    Colour::Color4 getColorFromControl() const;
    Colour::Color4 getDefaultFromControl() const;

private:
    ColorControl* m_control = nullptr;
    QObject* m_widgetObject;
};

} // namespace UI
} // namespace Quill
