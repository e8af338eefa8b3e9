#pragma once

#include <QuillCoreExport.h>

namespace Quill {
namespace UI {

// 10 to the power `exponent`: exact up to |exponent| 22 (the powers a double holds
// exactly, negative ones as their correctly rounded reciprocal), the nearest double
// beyond, 0 or infinity where the power underflows or overflows. Any thread.
QUILL_CORE_AUTOTEST_EXPORT double Pow10(int exponent);

} // namespace UI
} // namespace Quill
