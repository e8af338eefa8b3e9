#pragma once

#include <QtGlobal>

class QMutex;
class QRecursiveMutex;

namespace Quill {
namespace UI {

// QMutexLocker that also tells ThreadSanitizer about the hand-over: a
// contended QMutex is passed on inside Qt's uninstrumented futex code, which
// ThreadSanitizer cannot see, so without this every contended lock of the
// progress records would be reported as a race (some twenty reports per run
// of the progress tests with plain QMutexLocker, none with this). A null
// mutex locks nothing.
// Any thread.
class ProgressLocker
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
