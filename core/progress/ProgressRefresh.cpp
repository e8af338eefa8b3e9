#include "ProgressRefresh.h"

#include "ProgressTask.h"

namespace Quill {
namespace UI {

ProgressRefresh::Action ProgressRefresh::actionFor(const RecordState& record, qint64 nowMs)
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
    return popupDue(record.flags, record.startMs, nowMs) ? Action::Create : Action::Wait;
}

bool ProgressRefresh::popupDue(int flags, qint64 startMs, qint64 nowMs)
{
    if (!(flags & ProgressTask::kDelayedPopup))
        return true;
    return nowMs - startMs > kPopupDelayMs;
}

bool ProgressRefresh::cancelButtonEnabled(int flags, bool cancelled, bool errorShown)
{
    if (errorShown)
        return true;
    return (flags & ProgressTask::kUserCanCancel) && !cancelled;
}

void ProgressRefresh::count(Counts& counts, int flags)
{
    if (flags & ProgressTask::kDisable)
        return;
    ++counts.shown;
    if (flags & ProgressTask::kModal)
        ++counts.modal;
}

} // namespace UI
} // namespace Quill
