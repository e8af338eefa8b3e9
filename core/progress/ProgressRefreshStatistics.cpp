#include "ProgressRefreshStatistics_p.h"

#include <atomic>

namespace Quill {
namespace UI {
namespace ProgressRefreshStatistics {

namespace {
std::atomic<quint64> g_posted{0};
std::atomic<quint64> g_refreshes{0};
}

Counts Read()
{
    Counts counts;
    counts.posted = g_posted.load();
    counts.refreshes = g_refreshes.load();
    return counts;
}

void Reset()
{
    g_posted.store(0);
    g_refreshes.store(0);
}

void CountPosted() { g_posted.fetch_add(1, std::memory_order_relaxed); }
void CountRefresh() { g_refreshes.fetch_add(1, std::memory_order_relaxed); }

} // namespace ProgressRefreshStatistics
} // namespace UI
} // namespace Quill
