#pragma once

#include <QuillCoreExport.h>

#include <QHash>
#include <QPointer>
#include <QVector>
#include <QWidget>

namespace Quill {
namespace UI {

class DisclosureButton;

// Collects the visibility wanted for widgets during one disclosure update and applies
// it at the end. A widget reached along several paths keeps the last decision made
// for it. Decisions are applied in the order they were first made, never in an order
// that depends on where the widgets happen to live in memory, and a widget destroyed
// in the meantime is skipped. GUI thread only.
class QUILL_CORE_EXPORT VisibilitySetter
{
public:
    VisibilitySetter() = default;
    VisibilitySetter(const VisibilitySetter&) = delete;
    VisibilitySetter& operator=(const VisibilitySetter&) = delete;

    void setVisible(QWidget* widget, bool visible);

    // Whether `widget` will be visible once the decisions are applied: it and every
    // ancestor up to its window are wanted visible (by a decision here or by their
    // current state).
    bool willBeVisible(const QWidget* widget) const;

    // Shows or hides every widget whose state differs from the decision, then forgets
    // the decisions. Disclosure buttons shown or hidden meanwhile update their own
    // widgets afterwards, unless this setter already decided for them.
    void apply();

private:
    friend class DisclosureButton;
    // Called by a disclosure button whose visibility changed: true when a setter is
    // being applied and has taken the button's update over.
    static bool deferUpdate(DisclosureButton* button);
    // Records that `button` decided for its widgets in this update; false when it
    // already had, so that buttons listed in a cycle or along two paths decide once.
    bool markDecided(const DisclosureButton* button);

    QVector<QPointer<QWidget>> m_order;
    QHash<const QWidget*, bool> m_wanted;
    QVector<const DisclosureButton*> m_decided;
};

} // namespace UI
} // namespace Quill
