#pragma once

#include <QuillCoreExport.h>

namespace Quill {
namespace UI {

// The library's start-up call; the host makes it once after creating its
// QApplication. Image resources are registered when the library is loaded, so
// this has nothing left to do today, but hosts should keep calling it.
QUILL_CORE_EXPORT void Initialise();

} // namespace UI
} // namespace Quill
