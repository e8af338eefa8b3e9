#pragma once

#include <QuillCoreExport.h>

namespace Quill {
namespace UI {

// Reserved for display-dependent colour handling; it holds no state yet.
class QUILL_CORE_EXPORT DisplayManager
{
};

} // namespace UI
} // namespace Quill
