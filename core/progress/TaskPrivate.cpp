#include "TaskPrivate.h"

#include "ProgressClock.h"

namespace Quill {
namespace UI {

TaskPrivate::TaskPrivate(ProgressTask* owner_, const QString& title_, int maximum_, int flags_,
                         TaskPrivate* parent_, ProgressManager* manager_)
    : owner(owner_)
    , startTime(ProgressClock::now())
    , title(title_)
    , maximum(maximum_)
    , parent(parent_)
    , flags(flags_)
    , manager(manager_)
{
    if (parent)
        parent->retain();
}

TaskPrivate::~TaskPrivate()
{
    release(parent);
}

void TaskPrivate::retain()
{
    m_references.fetch_add(1, std::memory_order_relaxed);
}

void TaskPrivate::release(TaskPrivate* record)
{
    if (record && record->m_references.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete record;
}

int TaskPrivate::referenceCount() const
{
    return m_references.load(std::memory_order_acquire);
}

} // namespace UI
} // namespace Quill
