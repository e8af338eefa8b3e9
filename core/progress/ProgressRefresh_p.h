#pragma once

#include <QuillCoreExport.h>

#include <QtGlobal>

namespace Quill {
namespace UI {

// The decisions the progress dialog takes on every refresh, as pure functions
// over plain values, so that they are tested without threads, widgets or a
// clock. Any thread.
namespace ProgressRefresh {

// A delayed task is shown once strictly more than this has passed.
constexpr qint64 kPopupDelayMs = 2000;

// What a refresh does with one listed record.
enum class Action {
    Wait,          // delayed task, too early to show
    Create,        // create its widget, then refresh it
    Refresh,       // refresh its widget
    Keep,          // nothing to do; stays listed
    Detach,        // finished but kept: the widget turns into "Completed." / Hide
    DetachAndDrop, // as Detach, and the record leaves the list (nothing else refers to it)
    RemoveWidget,  // finished: remove and delete its widget, drop the record
    Drop           // finished without widget: drop the record
};

struct RecordState {
    int flags = 0;
    bool finished = false;
    bool hasWidget = false;
    bool hasOwner = false;    // the task object still exists
    qint64 ageMs = 0;         // since the task started
};

QUILL_CORE_AUTOTEST_EXPORT Action ActionFor(const RecordState& record);

// The Cancel button is usable while the task may be cancelled; in the error
// state it is the Clear button and stays usable whatever the task says.
bool CancelButtonEnabled(int flags, bool cancelled, bool errorShown);

// The bar shows 0 until real progress arrives.
inline int BarValue(int progress) { return progress < 1 ? 0 : progress; }

// Counting of the shown widgets: which keep the dialog open, which make it modal.
struct Counts {
    int shown = 0;
    int modal = 0;
};
void Count(Counts& counts, int flags);

} // namespace ProgressRefresh
} // namespace UI
} // namespace Quill
