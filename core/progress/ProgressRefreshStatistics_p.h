#pragma once

#include <QuillCoreExport.h>

#include <QtGlobal>

namespace Quill {
namespace UI {

// Counters of the dialog refresh coalescing (DialogProgressManager), summed
// over the process, so that tests can check that a flood of updates costs a
// bounded number of refreshes. Any thread.
namespace ProgressRefreshStatistics {

struct Counts {
    quint64 posted = 0;      // refresh requests posted to the GUI thread
    quint64 refreshes = 0;   // refreshes run
};

QUILL_CORE_AUTOTEST_EXPORT Counts Read();
QUILL_CORE_AUTOTEST_EXPORT void Reset();
void CountPosted();
void CountRefresh();

} // namespace ProgressRefreshStatistics
} // namespace UI
} // namespace Quill
