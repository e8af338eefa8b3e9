#pragma once

#include <QuillCoreExport.h>

#include <QString>
#include <QtGlobal>

namespace Quill {
namespace UI {

// The decisions the progress dialog takes on every refresh, as pure functions
// over plain values, so that they can be tested without threads, widgets or a
// clock. Any thread.
class QUILL_CORE_EXPORT ProgressRefresh
{
public:
    // A delayed task is shown once strictly more than this has passed.
    static constexpr qint64 kPopupDelayMs = 2000;

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
        qint64 startMs = 0;
    };

    static Action actionFor(const RecordState& record, qint64 nowMs);

    // True once a task started at `startMs` may get its widget.
    static bool popupDue(int flags, qint64 startMs, qint64 nowMs);
    // The first time a delayed task may be shown.
    static qint64 popupTime(qint64 startMs) { return startMs + kPopupDelayMs + 1; }

    // The Cancel button is usable while the task may be cancelled; in the error
    // state it is the Clear button and stays usable whatever the task says.
    static bool cancelButtonEnabled(int flags, bool cancelled, bool errorShown);

    // The bar shows 0 until real progress arrives.
    static int barValue(int progress) { return progress < 1 ? 0 : progress; }

    // Counting of the shown widgets: which keep the dialog open, which make it modal.
    struct Counts {
        int shown = 0;
        int modal = 0;
    };
    static void count(Counts& counts, int flags);
};

// What a task widget needs from its record for one refresh; copied under the
// manager's lock so that the widget never reads shared state while it paints.
struct QUILL_CORE_EXPORT ProgressSnapshot {
    int progress = -1;
    int maximum = 0;
    int flags = 0;
    bool cancelled = false;
    bool error = false;
    bool showError = false;   // kErrorState was pending
    qint64 elapsedMs = 0;
    QString message;
};

} // namespace UI
} // namespace Quill
