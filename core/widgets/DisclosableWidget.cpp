#include "DisclosableWidget.h"

#include "DisclosureButton.h"

#include <algorithm>

namespace Quill {
namespace UI {

DisclosableWidget::DisclosableWidget(const DisclosableWidget& other)
{
    for (DisclosureButton* button : other.m_buttons)
        addButton(button);
}

DisclosableWidget& DisclosableWidget::operator=(const DisclosableWidget& other)
{
    if (this != &other) {
        releaseButtons();
        for (DisclosureButton* button : other.m_buttons)
            addButton(button);
    }
    return *this;
}

DisclosableWidget::~DisclosableWidget()
{
    // The buttons must not reach this object through their lists once it is gone.
    const QVector<DisclosureButton*> buttons = m_buttons;
    for (DisclosureButton* button : buttons)
        button->forgetDisclosable(this);
    m_buttons.clear();
}

bool DisclosableWidget::isDisclosed() const
{
    return std::all_of(m_buttons.cbegin(), m_buttons.cend(),
                       [](const DisclosureButton* b) { return b->isChecked(); });
}

void DisclosableWidget::addButton(DisclosureButton* button)
{
    const auto it = std::lower_bound(m_buttons.begin(), m_buttons.end(), button);
    if (it != m_buttons.end() && *it == button)
        return;
    m_buttons.insert(it, button);
    button->m_sets.append(this);
}

void DisclosableWidget::removeButton(DisclosureButton* button)
{
    if (m_buttons.removeOne(button))
        button->m_sets.removeOne(this);
}

void DisclosableWidget::releaseButtons()
{
    for (DisclosureButton* button : qAsConst(m_buttons))
        button->m_sets.removeOne(this);
    m_buttons.clear();
}

} // namespace UI
} // namespace Quill
