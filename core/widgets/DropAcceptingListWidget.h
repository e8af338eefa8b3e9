#pragma once

#include <QuillCoreExport.h>

#include "DropAcceptingWidget.h"

#include <QListWidget>

namespace Quill {
namespace UI {

// A list widget that reports files dropped on it through its droppedUrls signal. Turn
// drops on with setAcceptsDropsFlags(AcceptFileUrls).
class QUILL_CORE_EXPORT DropAcceptingListWidget : public DropAcceptingWidget<QListWidget>
{
    Q_OBJECT
public:
    explicit DropAcceptingListWidget(QWidget* parent = nullptr);

signals:
    void droppedUrls(const QStringList& paths) override;
};

} // namespace UI
} // namespace Quill
