#include "support/manual_clock.h"

#include <atomic>
#include <thread>

#include "support/idle_threads.h"

namespace zvk::test {

Clock::TimePoint ManualClock::Now()
{
    const std::lock_guard lock(m_mutex);
    return m_now;
}

bool ManualClock::WaitUntil(TimePoint deadline, std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    const auto registered = m_deadlines.insert(deadline);
    m_changed.notify_all();
    const bool came = m_changed.wait(lock, stop, [&] { return m_now >= deadline; });
    m_deadlines.erase(registered);
    m_changed.notify_all();
    return came && !stop.stop_requested();
}

void ManualClock::Advance(Duration step)
{
    {
        const std::lock_guard lock(m_mutex);
        m_now += step;
    }
    m_changed.notify_all();
}

bool ManualClock::AwaitWaiters(std::size_t count)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(10),
                              [&] { return m_deadlines.size() >= count; });
}

bool ManualClock::AdvanceWhenWaiting(Duration step, std::size_t count)
{
    const bool waiting = AwaitWaiters(count);
    Advance(step);
    return waiting;
}

bool ManualClock::AdvanceIfIdle()
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_deadlines.upper_bound(m_now) == m_deadlines.end())
            return false;
    }
    if (!OtherThreadsAsleep())
        return false;
    {
        const std::lock_guard lock(m_mutex);
        const auto next = m_deadlines.upper_bound(m_now);
        if (next == m_deadlines.end())
            return false;
        m_now = *next;
    }
    m_changed.notify_all();
    return true;
}

void ManualClock::RunAdvancing(const std::function<void()>& work)
{
    std::atomic<bool> done = false;
    std::jthread worker([&] {
        work();
        done = true;
    });
    while (!done)
        if (!AdvanceIfIdle())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace zvk::test
