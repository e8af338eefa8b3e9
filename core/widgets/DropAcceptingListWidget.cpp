#include "DropAcceptingListWidget.h"

namespace Quill {
namespace UI {

DropAcceptingListWidget::DropAcceptingListWidget(QWidget* parent)
    : DropAcceptingWidget<QListWidget>(parent)
{
}

} // namespace UI
} // namespace Quill
