#include "support/manual_clock.h"

#include <algorithm>
#include <optional>
#include <thread>

namespace zvk::test {

Clock::TimePoint ManualClock::Now()
{
    const std::lock_guard lock(m_mutex);
    return m_now;
}

bool ManualClock::WaitUntil(TimePoint deadline, std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    const auto registered = m_waits.emplace(deadline, stop);
    m_changed.notify_all();
    const bool came = m_changed.wait(lock, stop, [&] { return m_now >= deadline; });
    m_waits.erase(registered);
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
                              [&] { return m_waits.size() >= count; });
}

bool ManualClock::AwaitNoActivity()
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_activities == 0; });
}

bool ManualClock::AdvanceWhenWaiting(Duration step, std::size_t count)
{
    const bool waiting = AwaitWaiters(count);
    Advance(step);
    return waiting;
}

bool ManualClock::Idle() const
{
    // A wait whose deadline has come or whose stop was requested is about to return: its
    // thread is as good as running.
    const auto later = m_waits.upper_bound(m_now);
    const auto stillWaiting = std::count_if(
        later, m_waits.end(), [](const auto& wait) { return !wait.second.stop_requested(); });
    return stillWaiting > 0 && static_cast<std::size_t>(stillWaiting) == m_activities;
}

void ManualClock::AdvanceToNextDeadline()
{
    m_now = m_waits.upper_bound(m_now)->first;
}

bool ManualClock::AdvanceIfIdle()
{
    {
        const std::lock_guard lock(m_mutex);
        if (!Idle())
            return false;
        AdvanceToNextDeadline();
    }
    m_changed.notify_all();
    return true;
}

void ManualClock::RunAdvancing(Work work, const std::function<void()>& run)
{
    bool done = false;
    // Counted before its thread starts, so that no advance comes before the work's first wait.
    std::optional<Activity> working;
    if (work == Work::WaitsOnTheClock)
        working.emplace(*this);
    std::jthread worker([&, working = std::move(working)]() mutable {
        run();
        working.reset();
        {
            const std::lock_guard lock(m_mutex);
            done = true;
        }
        m_changed.notify_all();
    });
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [&] { return done || Idle(); });
        if (done)
            return;
        AdvanceToNextDeadline();
        m_changed.notify_all();
    }
}

void ManualClock::AdvanceWhile(const std::function<void()>& step)
{
    const std::jthread advancing([this](const std::stop_token& stop) {
        std::unique_lock lock(m_mutex);
        while (m_changed.wait(lock, stop, [this] { return Idle(); }) && !stop.stop_requested()) {
            AdvanceToNextDeadline();
            m_changed.notify_all();
        }
    });
    step();
}

void ManualClock::ActivityBegun()
{
    {
        const std::lock_guard lock(m_mutex);
        ++m_activities;
    }
    m_changed.notify_all();
}

void ManualClock::ActivityEnded()
{
    {
        const std::lock_guard lock(m_mutex);
        --m_activities;
    }
    m_changed.notify_all();
}

} // namespace zvk::test
