#pragma once

#include <QuillCoreExport.h>

#include <QCheckBox>
#include <QPointer>
#include <QVector>

namespace Quill {
namespace UI {

class DisclosableWidget;
class VisibilitySetter;

// A checkable button drawn as a small triangle (right when closed, down when open)
// and its text. It shows its widgets while it is checked and visible and hides them
// otherwise; connect its toggled(bool) to showOrHideWidgets(). A controlled widget may
// itself be a disclosure button: its widgets then show exactly when every button on
// the way is checked and visible. The button does not own its widgets; a widget
// destroyed while listed is dropped from the list.
class QUILL_CORE_EXPORT DisclosureButton : public QCheckBox
{
    Q_OBJECT
public:
    explicit DisclosureButton(QWidget* parent = nullptr, bool initiallyVisible = true);
    ~DisclosureButton() override;

    // Sets `widget` visible when the button is checked and was created initially
    // visible (and, for a DisclosableWidget, when the widget wants to be visible).
    void addWidget(QWidget* widget);
    // Leaves the widget's visibility as it is.
    void removeWidget(QWidget* widget);
    QList<QWidget*> widgets() const;

    void setVisible(bool visible) override;

public slots:
    void showOrHideWidgets();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class DisclosableWidget;
    struct Entry {
        QPointer<QWidget> widget;
        DisclosableWidget* disclosable;   // the same object as a mix-in; null when not one
    };

    void showOrHideWidgets(VisibilitySetter& setter, bool visible);
    void showWidgets(VisibilitySetter& setter);
    void hideWidgets(VisibilitySetter& setter);
    void forgetDisclosable(DisclosableWidget* widget);
    void visibilityChanged();

    QVector<Entry> m_widgets;
    QVector<DisclosableWidget*> m_sets;   // disclosable widgets whose sets hold this button
    bool m_initiallyVisible;
};

} // namespace UI
} // namespace Quill
