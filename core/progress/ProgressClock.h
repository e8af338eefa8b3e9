#pragma once

#include <QuillCoreExport.h>

#include <QtGlobal>

namespace Quill {
namespace UI {

// The monotonic millisecond clock that progress reporting measures start times,
// popup delays and time-to-go estimates with. It never jumps with the wall clock
// (midnight, daylight saving, NTP corrections).
//
// The source can be replaced so that tests can move time forward without
// sleeping. now() may be called from any thread; setSource() is meant for test
// set-up and must not race with tasks being created.
class QUILL_CORE_EXPORT ProgressClock
{
public:
    using Source = qint64 (*)();

    // Milliseconds since an arbitrary fixed point; never decreases.
    static qint64 now();

    // Replaces the time source; nullptr restores the steady system clock.
    static void setSource(Source source);

    // The steady system clock, whatever source is installed.
    static qint64 systemNow();
};

} // namespace UI
} // namespace Quill
