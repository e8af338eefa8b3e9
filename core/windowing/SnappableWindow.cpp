#include "SnappableWindow.h"

namespace Quill {
namespace UI {

SnappableWindow::~SnappableWindow() = default;

} // namespace UI
} // namespace Quill
