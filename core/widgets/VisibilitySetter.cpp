#include "VisibilitySetter.h"

#include "DisclosureButton.h"

namespace Quill {
namespace UI {

namespace {

// Buttons whose visibility changed while a setter was applied. GUI thread only.
struct Deferred {
    int applying = 0;
    bool draining = false;
    QVector<QPointer<DisclosureButton>> buttons;
};

Deferred& deferred()
{
    static Deferred d;
    return d;
}

} // namespace

void VisibilitySetter::setVisible(QWidget* widget, bool visible)
{
    if (!widget)
        return;
    if (!m_wanted.contains(widget))
        m_order.append(widget);
    m_wanted.insert(widget, visible);
}

bool VisibilitySetter::willBeVisible(const QWidget* widget) const
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const auto it = m_wanted.constFind(w);
        if (!(it != m_wanted.constEnd() ? it.value() : !w->isHidden()))
            return false;
        if (w->isWindow())
            break;
    }
    return widget != nullptr;
}

bool VisibilitySetter::markDecided(const DisclosureButton* button)
{
    if (m_decided.contains(button))
        return false;
    m_decided.append(button);
    return true;
}

bool VisibilitySetter::deferUpdate(DisclosureButton* button)
{
    Deferred& d = deferred();
    if (d.applying == 0)
        return false;
    if (!d.buttons.contains(button))
        d.buttons.append(button);
    return true;
}

void VisibilitySetter::apply()
{
    Deferred& d = deferred();
    ++d.applying;
    // Guarded pointers: showing or hiding one widget may run host code that deletes another.
    for (const QPointer<QWidget>& w : qAsConst(m_order)) {
        if (!w)
            continue;
        const bool visible = m_wanted.value(w.data());
        if (w->isHidden() == visible)
            w->setVisible(visible);
    }
    m_order.clear();
    m_wanted.clear();
    --d.applying;
    if (d.applying > 0 || d.draining)
        return;

    // Buttons shown or hidden above that this update did not decide for (say, a button
    // inside a group box that just appeared) now update their own widgets, each once.
    d.draining = true;
    QVector<const DisclosureButton*> done = m_decided;
    while (!d.buttons.isEmpty()) {
        const QPointer<DisclosureButton> button = d.buttons.takeFirst();
        if (button && !done.contains(button.data())) {
            done.append(button.data());
            button->showOrHideWidgets();
        }
    }
    d.draining = false;
}

} // namespace UI
} // namespace Quill
