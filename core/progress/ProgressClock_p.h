#pragma once

#include <QuillCoreExport.h>

#include <QtGlobal>

namespace Quill {
namespace UI {

// The monotonic millisecond clock that progress reporting measures start times,
// popup delays and time-to-go estimates with; it never jumps with the wall
// clock. Tests replace its source to move time without sleeping (set it up
// before tasks are created). Any thread.
namespace ProgressClock {

using Source = qint64 (*)();

// Milliseconds since an arbitrary fixed point; never decreases.
QUILL_CORE_AUTOTEST_EXPORT qint64 Now();
// Replaces the time source; nullptr restores the steady system clock.
QUILL_CORE_AUTOTEST_EXPORT void SetSource(Source source);

} // namespace ProgressClock
} // namespace UI
} // namespace Quill
