#pragma once

#include <QuillCoreExport.h>

namespace Quill {
namespace Colour {

// A colour transform of the host application. The colour widgets only keep a
// pointer to one (so hosts can associate a transform with a picker); they never
// call through it. Hosts derive from it; the library defines no operation.
class QUILL_CORE_EXPORT TransformI
{
public:
    virtual ~TransformI();

protected:
    TransformI() = default;
    TransformI(const TransformI&) = default;
    TransformI& operator=(const TransformI&) = default;
};

} // namespace Colour
} // namespace Quill
