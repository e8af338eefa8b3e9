#include "ProgressClock.h"

#include <atomic>
#include <chrono>

namespace Quill {
namespace UI {

namespace {
std::atomic<ProgressClock::Source> g_source{nullptr};
}

qint64 ProgressClock::systemNow()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

qint64 ProgressClock::now()
{
    const Source source = g_source.load(std::memory_order_acquire);
    return source ? source() : systemNow();
}

void ProgressClock::setSource(Source source)
{
    g_source.store(source, std::memory_order_release);
}

} // namespace UI
} // namespace Quill
