#pragma once

#include <QuillCoreExport.h>

#include <QVector>

namespace Quill {
namespace UI {

class DisclosureButton;

// Mix-in for a widget shown and hidden by several disclosure buttons. It records the
// buttons that control it, and the widget itself has a say through wantsToBeVisible().
// The records are kept in step from both sides: a destroyed button leaves the sets of
// its widgets, and a destroyed widget leaves the lists of its buttons.
class QUILL_CORE_EXPORT DisclosableWidget
{
public:
    DisclosableWidget() = default;
    DisclosableWidget(const DisclosableWidget& other);
    DisclosableWidget& operator=(const DisclosableWidget& other);
    virtual ~DisclosableWidget();

    // True when no button controls the widget or every one is checked.
    bool isDisclosed() const;

    // Asked by a button about to show the widget: the widget shows only if it agrees.
    virtual bool wantsToBeVisible() const = 0;

private:
    friend class DisclosureButton;
    void addButton(DisclosureButton* button);
    void removeButton(DisclosureButton* button);
    void releaseButtons();

    QVector<DisclosureButton*> m_buttons;   // in address order, no duplicates; not owned
};

} // namespace UI
} // namespace Quill
