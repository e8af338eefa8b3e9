#include "SearchField.h"

#include "FlatButton.h"
#include "SearchFieldLayout_p.h"

#include <QLabel>

namespace Quill {
namespace UI {

namespace SearchFieldLayout {

QMargins TextMargins(const QRect& leftWidget, bool hasCancelButton)
{
    const int left = leftWidget.isValid() ? leftWidget.right() - leftWidget.left() + 8 : 6;
    return QMargins(left, 0, hasCancelButton ? 20 : 8, 0);
}

Positions Place(const QRect& field, QSize leftWidget, QSize prompt, QSize cancelButton)
{
    Positions p;
    const bool hasLeft = !leftWidget.isEmpty();
    p.leftWidget = QPoint(field.left() + 6, (field.height() - leftWidget.height()) / 2);
    p.prompt = QPoint(hasLeft ? leftWidget.width() + 9 : 7, (field.height() - prompt.height()) / 2);
    p.cancelButton = QPoint(field.right() - 5 - (cancelButton.width() - 1),
                            (field.height() - cancelButton.height()) / 2);
    return p;
}

} // namespace SearchFieldLayout

SearchField::SearchField(QWidget* parent)
    : QLineEdit(parent)
{
    // QLineEdit's textChanged rather than textEdited: text set by the program must
    // hide the prompt too, or the prompt would be drawn over it.
    connect(this, SIGNAL(textChanged(QString)), this, SLOT(textChanged(QString)));
    updateMargins();
}

void SearchField::setPrompt(const QString& prompt)
{
    if (!m_prompt) {
        m_prompt = new QLabel(prompt, this);
        // Disabled, so that it draws in the grey of the disabled palette.
        m_prompt->setEnabled(false);
        // Clicks go to the field underneath.
        m_prompt->setAttribute(Qt::WA_TransparentForMouseEvents);
        updateGeometry();
    } else {
        m_prompt->setText(prompt);
    }
    m_prompt->adjustSize();
    placeDecorations();
    enableControls();
}

QString SearchField::prompt() const
{
    return m_prompt ? m_prompt->text() : QString();
}

void SearchField::setHasCancelButton(bool has)
{
    if (m_cancelButton)
        return;
    if (has) {
        m_cancelButton = new FlatButton(QIcon(QStringLiteral(":/ui/qrc/images/SearchFieldCancel.png")), this);
        m_cancelButton->setFixedSize(14, 14);
        m_cancelButton->setFocusPolicy(Qt::NoFocus);
        connect(m_cancelButton, SIGNAL(clicked()), this, SLOT(cancelButtonPressed()));
        placeDecorations();
    }
    updateMargins();
    enableControls();
}

bool SearchField::hasCancelButton() const
{
    return m_cancelButton != nullptr;
}

void SearchField::setLeftWidget(QWidget* widget)
{
    m_leftWidget = widget;
    placeDecorations();
    updateMargins();
    updateGeometry();
}

QWidget* SearchField::leftWidget() const
{
    return m_leftWidget;
}

void SearchField::updateMargins()
{
    setTextMargins(SearchFieldLayout::TextMargins(m_leftWidget ? m_leftWidget->geometry() : QRect(),
                                                  m_cancelButton != nullptr));
}

void SearchField::enableControls()
{
    const bool hasText = !text().isEmpty();
    if (m_prompt)
        m_prompt->setVisible(!hasText && !hasFocus());
    if (m_cancelButton)
        m_cancelButton->setVisible(hasText && hasFocus());
}

void SearchField::textChanged(const QString&)
{
    enableControls();
}

void SearchField::cancelButtonPressed()
{
    setText(QString());
    enableControls();
    emit cancelPressed();
}

void SearchField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeDecorations();
}

void SearchField::focusInEvent(QFocusEvent* event)
{
    enableControls();
    QLineEdit::focusInEvent(event);
}

void SearchField::focusOutEvent(QFocusEvent* event)
{
    enableControls();
    QLineEdit::focusOutEvent(event);
}

void SearchField::placeDecorations()
{
    const SearchFieldLayout::Positions p = SearchFieldLayout::Place(
        rect(), m_leftWidget ? m_leftWidget->size() : QSize(), m_prompt ? m_prompt->size() : QSize(),
        m_cancelButton ? m_cancelButton->size() : QSize());
    if (m_leftWidget)
        m_leftWidget->move(p.leftWidget);
    if (m_prompt)
        m_prompt->move(p.prompt);
    if (m_cancelButton)
        m_cancelButton->move(p.cancelButton);
}

} // namespace UI
} // namespace Quill
