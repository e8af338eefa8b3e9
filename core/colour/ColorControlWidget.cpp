#include "ColorControlWidget.h"

#include "ColorControl.h"
#include "IColorControlClient.h"

#include <QWidget>

namespace Quill {
namespace UI {

IColorControlClient::~IColorControlClient() = default;

ColorControlWidget::ColorControlWidget(QWidget* widget)
    : m_widgetObject(widget)
{
}

ColorControlWidget::~ColorControlWidget()
{
    deregisterWithControl();
}

void ColorControlWidget::defaultColorChanged()
{
}

void ColorControlWidget::deregisterWithControl()
{
    if (!m_control)
        return;
    QObject::disconnect(m_widgetObject, nullptr, m_control, nullptr);
    m_control->removeWidget(this);
    m_control = nullptr;
}

Colour::Color4 ColorControlWidget::getColorFromControl() const
{
    return m_control ? m_control->getColor() : Colour::Color4();
}

Colour::Color4 ColorControlWidget::getDefaultFromControl() const
{
    return m_control ? m_control->getDefaultColor() : Colour::Color4();
}

} // namespace UI
} // namespace Quill
