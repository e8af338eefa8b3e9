#pragma once

#include <QuillCoreExport.h>

#include <cstdint>

namespace Quill {
namespace UI {

// Placeholder for per-layout snapping state: an opaque 64-bit word of flags that
// hosts may copy between layouts. The library attaches no behaviour to it.
class QUILL_CORE_EXPORT SnappableLayout
{
public:
    SnappableLayout() = default;
    SnappableLayout(const SnappableLayout&) = default;
    SnappableLayout& operator=(const SnappableLayout& other);

private:
    std::uint64_t m_flags = 0;
};

} // namespace UI
} // namespace Quill
