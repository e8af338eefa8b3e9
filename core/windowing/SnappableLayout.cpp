#include "SnappableLayout.h"

namespace Quill {
namespace UI {

SnappableLayout& SnappableLayout::operator=(const SnappableLayout& other)
{
    m_flags = other.m_flags;
    return *this;
}

} // namespace UI
} // namespace Quill
