#include "DisclosureButton.h"

#include "DisclosableWidget.h"
#include "VisibilitySetter.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>

namespace Quill {
namespace UI {

DisclosureButton::DisclosureButton(QWidget* parent, bool initiallyVisible)
    : QCheckBox(QString(), parent)
    , m_initiallyVisible(initiallyVisible)
{
    setCheckable(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

DisclosureButton::~DisclosureButton()
{
    // isDisclosed() of the widgets that recorded this button must not read it later.
    for (DisclosableWidget* widget : qAsConst(m_sets))
        widget->m_buttons.removeOne(this);
}

void DisclosureButton::addWidget(QWidget* widget)
{
    if (!widget) {
        qWarning("Quill::UI::DisclosureButton: cannot add a null widget");
        return;
    }
    auto* disclosable = dynamic_cast<DisclosableWidget*>(widget);
    m_widgets.append(Entry{widget, disclosable});
    const bool open = isChecked() && m_initiallyVisible;
    widget->setVisible(open && (!disclosable || disclosable->wantsToBeVisible()));
    if (disclosable)
        disclosable->addButton(this);
}

void DisclosureButton::removeWidget(QWidget* widget)
{
    for (int i = 0; i < m_widgets.size(); ++i) {
        if (m_widgets.at(i).widget == widget) {
            DisclosableWidget* disclosable = m_widgets.at(i).disclosable;
            m_widgets.removeAt(i);
            if (disclosable)
                disclosable->removeButton(this);
            return;
        }
    }
}

QList<QWidget*> DisclosureButton::widgets() const
{
    QList<QWidget*> list;
    for (const Entry& e : m_widgets) {
        if (e.widget)
            list.append(e.widget);
    }
    return list;
}

void DisclosureButton::setVisible(bool visible)
{
    QCheckBox::setVisible(visible);
    visibilityChanged();
}

void DisclosureButton::showEvent(QShowEvent* event)
{
    QCheckBox::showEvent(event);
    // Also when the window is first shown: a button checked before then opens now.
    visibilityChanged();
}

void DisclosureButton::visibilityChanged()
{
    if (!VisibilitySetter::deferUpdate(this))
        showOrHideWidgets();
}

void DisclosureButton::showOrHideWidgets()
{
    VisibilitySetter setter;
    showOrHideWidgets(setter, isChecked() && isVisible());
    setter.apply();
}

void DisclosureButton::showOrHideWidgets(VisibilitySetter& setter, bool visible)
{
    if (!setter.markDecided(this))
        return;
    if (visible)
        showWidgets(setter);
    else
        hideWidgets(setter);
}

void DisclosureButton::showWidgets(VisibilitySetter& setter)
{
    for (const Entry& e : qAsConst(m_widgets)) {
        // A widget already destroyed is not asked (its mix-in part may outlive it briefly).
        if (e.widget)
            setter.setVisible(e.widget, !e.disclosable || e.disclosable->wantsToBeVisible());
    }
    // Nested buttons decide by the visibility they will have once this update is
    // applied, not by the one they have now.
    for (const Entry& e : qAsConst(m_widgets)) {
        if (auto* button = qobject_cast<DisclosureButton*>(e.widget.data()))
            button->showOrHideWidgets(setter, button->isChecked() && setter.willBeVisible(button));
    }
}

void DisclosureButton::hideWidgets(VisibilitySetter& setter)
{
    for (const Entry& e : qAsConst(m_widgets))
        setter.setVisible(e.widget, false);
    for (const Entry& e : qAsConst(m_widgets)) {
        if (auto* button = qobject_cast<DisclosureButton*>(e.widget.data()))
            button->showOrHideWidgets(setter, false);
    }
}

void DisclosureButton::forgetDisclosable(DisclosableWidget* widget)
{
    m_sets.removeOne(widget);
    for (int i = m_widgets.size() - 1; i >= 0; --i) {
        if (m_widgets.at(i).disclosable == widget)
            m_widgets.removeAt(i);
    }
}

void DisclosureButton::paintEvent(QPaintEvent*)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    QStyle* s = style();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? QColor(Qt::black) : palette().color(QPalette::Disabled, QPalette::Light));
    QPainterPath triangle;
    if (isChecked()) {
        triangle.moveTo(4, 3);
        triangle.lineTo(13, 3);
        triangle.lineTo(8, 11);
    } else {
        triangle.moveTo(4, 3);
        triangle.lineTo(12, 7);
        triangle.lineTo(4, 12);
    }
    triangle.closeSubpath();
    painter.drawPath(triangle);

    option.rect = s->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    s->drawControl(QStyle::CE_PushButtonLabel, &option, &painter, this);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = s->subElementRect(QStyle::SE_CheckBoxFocusRect, &option, this);
        s->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

} // namespace UI
} // namespace Quill
