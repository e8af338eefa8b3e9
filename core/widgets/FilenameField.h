#pragma once

#include <QuillCoreExport.h>

#include <QFileDialog>
#include <QWidget>

#include <memory>

class QFileIconProvider;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Quill {
namespace UI {

// A line edit for a file or directory path, the icon of the file it names and a
// "Choose..." button that opens a file dialog for the file mode given. An optional
// grey prompt shows in the empty line edit while it is unfocused. filenameChanged()
// follows every change of the text; filenameSet() marks a settled name (editing
// finished, setFilename, or a choice in the dialog).
class QUILL_CORE_EXPORT FilenameField : public QWidget
{
    Q_OBJECT
public:
    FilenameField(QWidget* parent, QFileDialog::FileMode mode, bool useNativeDialog);
    ~FilenameField() override;

    void setFilename(const QString& filename);
    QString filename() const;

    void setPrompt(const QString& prompt);
    QString prompt() const;

    // Native: the platform's dialog through QFileDialog's static functions. Otherwise a
    // Qt file dialog, announced by fileDialogShown() before it runs.
    void setUseNativeDialog(bool use) { m_useNativeDialog = use; }
    bool useNativeDialog() const { return m_useNativeDialog; }

    QFileDialog::FileMode fileMode() const { return m_fileMode; }

signals:
    // The Qt dialog about to run: adjust its filters or options here. It is deleted
    // after it closes.
    void fileDialogShown(QFileDialog* fileDialog);
    void filenameChanged();
    void filenameSet();

public slots:
    virtual void openFileDialog();
    void textChanged();
    void enableControls();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placePrompt();

    bool m_useNativeDialog;
    QFileDialog::FileMode m_fileMode;
    QLabel* m_iconLabel;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_lineEdit;
    QPushButton* m_chooseButton;
    std::unique_ptr<QFileIconProvider> m_iconProvider;
};

} // namespace UI
} // namespace Quill
