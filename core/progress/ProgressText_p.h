#pragma once

#include <QuillCoreExport.h>

#include <QString>
#include <QtGlobal>

namespace Quill {
namespace UI {

// The status line of a task widget, as pure functions (no widgets, no clock).
// Texts are translated in the context "Quill::UI::ProgressWidget". Any thread.
namespace ProgressText {

// Seconds left, extrapolating linearly from `elapsedSeconds` spent on
// `progress` of `maximum` (progress > 0). Negative when progress is past the
// maximum; saturates instead of overflowing.
int RemainingSeconds(int progress, int maximum, qint64 elapsedSeconds);

// "?", "42 seconds.", "1 minute 40 seconds.", "30 minutes.", "1 hour 1 minute." ...
QString RemainingText(int seconds);

// The whole status line of a task showing its time to go: empty for a task in
// error, "Cancelling", or "Time to go: " followed by "Awaiting Task"
// (progress < 0), "Calculating" (0) or the estimate.
QUILL_CORE_AUTOTEST_EXPORT QString TimeToGo(int progress, int maximum, qint64 elapsedMs, bool cancelled,
                                            bool error);

} // namespace ProgressText
} // namespace UI
} // namespace Quill
