#pragma once

#include <QuillCoreExport.h>

#include <QLineEdit>
#include <QPointer>

class QLabel;

namespace Quill {
namespace UI {

class FlatButton;

// A line edit for search text with three optional decorations inside its frame: a
// grey prompt shown while the field is empty and unfocused, a cancel button shown
// while it has text and focus (clicking it clears the text and emits cancelPressed),
// and a widget of the caller's at the left end. The text margins keep typed text
// clear of the decorations, and the decorations are placed as soon as they are added.
class QUILL_CORE_EXPORT SearchField : public QLineEdit
{
    Q_OBJECT
public:
    explicit SearchField(QWidget* parent = nullptr);

    void setPrompt(const QString& prompt);
    QString prompt() const;

    // Creates the cancel button on the first `true`; an existing button stays.
    void setHasCancelButton(bool has);
    bool hasCancelButton() const;

    // The widget is not reparented: make it a child of the field yourself. Null
    // removes it from the layout rules.
    void setLeftWidget(QWidget* widget);
    QWidget* leftWidget() const;

    void updateMargins();
    void enableControls();

signals:
    void cancelPressed();

public slots:
    // Follows every change of the text, typed or set by the program.
    void textChanged(const QString& text);
    void cancelButtonPressed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void placeDecorations();

    QLabel* m_prompt = nullptr;
    FlatButton* m_cancelButton = nullptr;
    QPointer<QWidget> m_leftWidget;
};

} // namespace UI
} // namespace Quill
