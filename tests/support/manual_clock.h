#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <set>

#include "device/clock.h"

namespace zvk::test {

// A clock that stands still until the test moves it: a wait returns when the test has
// advanced the time past its deadline, or when a stop is requested. A test thus runs
// the watchdog, the export poll and the handheld's delays without waiting for them.
class ManualClock final : public Clock
{
public:
    TimePoint Now() override;
    bool WaitUntil(TimePoint deadline, std::stop_token stop) override;

    // Moves the time on; every wait whose deadline has come returns.
    void Advance(Duration step);
    // Waits (in real time, at most ten seconds) until at least `count` threads wait on
    // this clock, so that an advance meets the waits it is meant for; false if they never do.
    bool AwaitWaiters(std::size_t count);
    // AwaitWaiters(count), then Advance(step).
    bool AdvanceWhenWaiting(Duration step, std::size_t count = 1);
    // When every other thread of the process sleeps and one of them waits on this clock,
    // moves the time on to the earliest deadline still to come, and returns true: time
    // passes only when nothing but time can move the program on, so that a watchdog never
    // fires while the handheld is answering.
    bool AdvanceIfIdle();
    // Runs `work` on a thread of its own, advancing the time whenever idle, until it returns.
    void RunAdvancing(const std::function<void()>& work);

private:
    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    TimePoint m_now{};
    std::multiset<TimePoint> m_deadlines;
};

} // namespace zvk::test
