#pragma once

#include <QuillCoreExport.h>

#include <QWidget>

namespace Quill {
namespace UI {

// Empty page standing in a dock for a panel that is not there; the panel takes
// its tab position back when a widget with the same object name is added to the
// dock. Deletes itself when closed and is destroyed with its dock (nobody else
// owns it). Paints its window title, if any, as a large grey caption. GUI thread
// only.
class QUILL_CORE_EXPORT DockPlaceHolder : public QWidget
{
public:
    explicit DockPlaceHolder(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace UI
} // namespace Quill
