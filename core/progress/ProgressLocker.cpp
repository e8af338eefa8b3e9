#include "ProgressLocker_p.h"

#include <QMutex>
#include <QRecursiveMutex>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
#define QUILL_TSAN_ACQUIRE(address) __tsan_acquire(address)
#define QUILL_TSAN_RELEASE(address) __tsan_release(address)
#else
#define QUILL_TSAN_ACQUIRE(address) static_cast<void>(address)
#define QUILL_TSAN_RELEASE(address) static_cast<void>(address)
#endif

namespace Quill {
namespace UI {

ProgressLocker::ProgressLocker(QMutex* mutex)
    : m_mutex(mutex)
{
    if (m_mutex) {
        m_mutex->lock();
        QUILL_TSAN_ACQUIRE(m_mutex);
    }
}

ProgressLocker::ProgressLocker(QRecursiveMutex* mutex)
    : m_recursive(mutex)
{
    if (m_recursive) {
        m_recursive->lock();
        QUILL_TSAN_ACQUIRE(m_recursive);
    }
}

ProgressLocker::~ProgressLocker()
{
    if (m_mutex) {
        QUILL_TSAN_RELEASE(m_mutex);
        m_mutex->unlock();
    }
    if (m_recursive) {
        QUILL_TSAN_RELEASE(m_recursive);
        m_recursive->unlock();
    }
}

} // namespace UI
} // namespace Quill
