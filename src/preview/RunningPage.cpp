#include "RunningPage.h"

#include <atomic>
#include <chrono>

namespace preview {

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<Clock::rep> g_deadline{0};  // ticks of Clock; 0: no page running
std::atomic<bool> g_stop{false};

static_assert(std::atomic<Clock::rep>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

} // namespace

void RunningPage::begin(int timeLimitMs)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeLimitMs);
    g_deadline.store(deadline.time_since_epoch().count());
}

void RunningPage::end()
{
    g_deadline.store(0);
}

bool RunningPage::shouldStop()
{
    if (g_stop.load(std::memory_order_relaxed))
        return true;
    const Clock::rep deadline = g_deadline.load(std::memory_order_relaxed);
    return deadline != 0 && Clock::now().time_since_epoch().count() > deadline;
}

void RunningPage::requestStop()
{
    g_stop.store(true);
}

void RunningPage::clearStop()
{
    g_stop.store(false);
}

bool RunningPage::stopRequested()
{
    return g_stop.load();
}

} // namespace preview
