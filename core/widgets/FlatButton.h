#pragma once

#include <QuillCoreExport.h>

#include <QAbstractButton>

namespace Quill {
namespace UI {

// A borderless button that paints only its icon: disabled, active while hovered, or
// normal, in its on or off state when checkable.
class QUILL_CORE_EXPORT FlatButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit FlatButton(const QIcon& icon, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace UI
} // namespace Quill
