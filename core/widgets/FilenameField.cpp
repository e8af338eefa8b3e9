#include "FilenameField.h"

#include <QEvent>
#include <QFileIconProvider>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace Quill {
namespace UI {

FilenameField::FilenameField(QWidget* parent, QFileDialog::FileMode mode, bool useNativeDialog)
    : QWidget(parent)
    , m_useNativeDialog(useNativeDialog)
    , m_fileMode(mode)
    , m_iconLabel(new QLabel(this))
    , m_lineEdit(new QLineEdit(this))
    , m_chooseButton(new QPushButton(tr("Choose..."), this))
    , m_iconProvider(new QFileIconProvider)
{
    m_iconLabel->setFixedWidth(24);
    m_lineEdit->setFrame(false);
    setFocusProxy(m_lineEdit);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_lineEdit);
    layout->addWidget(m_iconLabel);
    layout->addWidget(m_chooseButton);

    m_lineEdit->installEventFilter(this);
    connect(m_lineEdit, SIGNAL(textChanged(QString)), this, SLOT(textChanged()));
    connect(m_chooseButton, SIGNAL(clicked()), this, SLOT(openFileDialog()));
    connect(m_lineEdit, SIGNAL(editingFinished()), this, SIGNAL(filenameSet()));
    enableControls();
}

FilenameField::~FilenameField() = default;

void FilenameField::setFilename(const QString& filename)
{
    m_lineEdit->setText(filename);
    enableControls();
    emit filenameChanged();
    emit filenameSet();
}

QString FilenameField::filename() const
{
    return m_lineEdit->text();
}

void FilenameField::setPrompt(const QString& prompt)
{
    if (!m_prompt) {
        m_prompt = new QLabel(prompt, m_lineEdit);
        m_prompt->setEnabled(false);
        m_prompt->setAttribute(Qt::WA_TransparentForMouseEvents);
    } else {
        m_prompt->setText(prompt);
    }
    m_prompt->adjustSize();
    placePrompt();
    enableControls();
}

QString FilenameField::prompt() const
{
    return m_prompt ? m_prompt->text() : QString();
}

void FilenameField::openFileDialog()
{
    // A slot connected to fileDialogShown, or anything run by the dialog's event loop,
    // may delete this field; nothing is touched after that.
    const QPointer<FilenameField> self(this);
    const bool hadFocus = m_lineEdit->hasFocus();
    const bool wasBlocked = m_chooseButton->blockSignals(true);
    const QString current = filename();
    const QString caption = tr("Choose...");
    QString chosen;
    if (m_useNativeDialog) {
        switch (m_fileMode) {
        case QFileDialog::AnyFile:
            chosen = QFileDialog::getSaveFileName(this, caption, current);
            break;
        case QFileDialog::ExistingFile:
            chosen = QFileDialog::getOpenFileName(this, caption, current);
            break;
        case QFileDialog::ExistingFiles: {
            const QStringList names = QFileDialog::getOpenFileNames(this, caption, current);
            if (!names.isEmpty())
                chosen = names.first();
            break;
        }
        default:
            chosen = QFileDialog::getExistingDirectory(this, caption, current, QFileDialog::ShowDirsOnly);
            break;
        }
    } else {
        // On the heap and guarded: the dialog is a child of the field, so deleting the
        // field deletes it too.
        QPointer<QFileDialog> dialog = new QFileDialog(this);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setFileMode(m_fileMode);
        dialog->selectFile(current);
        emit fileDialogShown(dialog);
        const bool accepted = self && dialog && dialog->exec() == QDialog::Accepted;
        if (self && dialog) {
            const QStringList files = dialog->selectedFiles();
            if (accepted && !files.isEmpty())
                chosen = files.first();
            delete dialog;
        }
    }
    if (!self)
        return;
    if (!chosen.isNull()) {
        // Both signals reach host code that may delete the field.
        m_lineEdit->setText(chosen);
        if (!self)
            return;
        emit filenameSet();
        if (!self)
            return;
    }
    m_chooseButton->blockSignals(wasBlocked);
    if (hadFocus)
        m_lineEdit->setFocus(Qt::OtherFocusReason);
}

void FilenameField::textChanged()
{
    enableControls();
    emit filenameChanged();
}

void FilenameField::enableControls()
{
    if (m_prompt)
        m_prompt->setVisible(m_lineEdit->text().isEmpty() && !m_lineEdit->hasFocus());
    m_iconLabel->setPixmap(m_iconProvider->icon(QFileInfo(filename())).pixmap(20, 20));
}

bool FilenameField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lineEdit) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            enableControls();
            break;
        case QEvent::Resize:
            // The line edit gets its height from the layout after the prompt was made.
            placePrompt();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FilenameField::placePrompt()
{
    if (m_prompt)
        m_prompt->move(4, (m_lineEdit->height() - m_prompt->height()) / 2);
}

} // namespace UI
} // namespace Quill
