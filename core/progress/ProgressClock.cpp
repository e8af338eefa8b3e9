#include "ProgressClock_p.h"

#include <atomic>
#include <chrono>

namespace Quill {
namespace UI {
namespace ProgressClock {

namespace {
std::atomic<Source> g_source{nullptr};
}

qint64 Now()
{
    if (const Source source = g_source.load(std::memory_order_acquire))
        return source();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SetSource(Source source)
{
    g_source.store(source, std::memory_order_release);
}

} // namespace ProgressClock
} // namespace UI
} // namespace Quill
