#pragma once

#include <QuillCoreExport.h>

#include <QtGlobal>

class QMutex;
class QRecursiveMutex;

namespace Quill {
namespace UI {

// Holds a progress manager's mutex (ProgressManager::lock()) for one scope; a
// null mutex is allowed and locks nothing. Besides locking, it tells
// ThreadSanitizer about the hand-over, which it cannot see inside an
// uninstrumented Qt, so that checked builds report real races only.
// Any thread.
class QUILL_CORE_EXPORT ProgressLocker
{
public:
    explicit ProgressLocker(QMutex* mutex);
    explicit ProgressLocker(QRecursiveMutex* mutex);
    ~ProgressLocker();

private:
    Q_DISABLE_COPY(ProgressLocker)

    QMutex* m_mutex = nullptr;
    QRecursiveMutex* m_recursive = nullptr;
};

} // namespace UI
} // namespace Quill
