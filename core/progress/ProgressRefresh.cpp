#include "ProgressRefresh_p.h"

#include "ProgressTask.h"

namespace Quill {
namespace UI {
namespace ProgressRefresh {

Action ActionFor(const RecordState& record)
{
    if (record.finished) {
        if (record.flags & ProgressTask::kKeepWhenFinished) {
            // Kept for the user while its task object lives; once both the
            // widget and the task are gone nobody can reach it any more.
            if (record.hasWidget)
                return record.hasOwner ? Action::Detach : Action::DetachAndDrop;
            return record.hasOwner ? Action::Keep : Action::Drop;
        }
        return record.hasWidget ? Action::RemoveWidget : Action::Drop;
    }
    if (record.hasWidget)
        return Action::Refresh;
    const bool due = !(record.flags & ProgressTask::kDelayedPopup) || record.ageMs > kPopupDelayMs;
    return due ? Action::Create : Action::Wait;
}

bool CancelButtonEnabled(int flags, bool cancelled, bool errorShown)
{
    if (errorShown)
        return true;
    return (flags & ProgressTask::kUserCanCancel) && !cancelled;
}

void Count(Counts& counts, int flags)
{
    if (flags & ProgressTask::kDisable)
        return;
    ++counts.shown;
    if (flags & ProgressTask::kModal)
        ++counts.modal;
}

} // namespace ProgressRefresh
} // namespace UI
} // namespace Quill
