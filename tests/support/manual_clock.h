#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <stop_token>

#include "device/clock.h"

namespace zvk::test {

// A clock that stands still until the test moves it: a wait returns when the test has
// advanced the time past its deadline, or when a stop is requested. A test thus runs
// the watchdog, the export poll and the handheld's delays without waiting for them.
// It knows who waits on it and how many activities (Clock::Activity) are under way, so
// that it can tell when only time can move the program on, on any system.
class ManualClock final : public Clock
{
public:
    // What the work given to RunAdvancing waits for.
    enum class Work
    {
        // This clock: the work runs a transfer on its own thread, an activity itself.
        WaitsOnTheClock,
        // Activities of other threads (a session's end): the work takes no part in time.
        WaitsForActivities,
    };

    TimePoint Now() override;
    bool WaitUntil(TimePoint deadline, std::stop_token stop) override;

    // Moves the time on; every wait whose deadline has come returns.
    void Advance(Duration step);
    // Waits (in real time, at most ten seconds) until at least `count` threads wait on
    // this clock, so that an advance meets the waits it is meant for; false if they never do.
    bool AwaitWaiters(std::size_t count);
    // Waits (in real time, at most ten seconds) until no activity is under way: the link's
    // and the handheld's threads are done with their work; false if they never are.
    bool AwaitNoActivity();
    // AwaitWaiters(count), then Advance(step).
    bool AdvanceWhenWaiting(Duration step, std::size_t count = 1);
    // When every activity under way waits on this clock (and nothing else does), moves the
    // time on to the earliest deadline still to come and returns true: time passes only
    // when nothing but time can move the program on, so that a watchdog never fires while
    // the handheld is answering.
    bool AdvanceIfIdle();
    // Runs `work` on a thread of its own, advancing the time whenever idle, until it returns.
    void RunAdvancing(Work work, const std::function<void()>& run);
    // Runs `step` on the calling thread while a thread of its own advances the time whenever
    // idle: for a step that waits for the program's threads (a window that closes waits for
    // its transfer to end), which would otherwise wait for a time that nobody moves on.
    void AdvanceWhile(const std::function<void()>& step);

private:
    void ActivityBegun() override;
    void ActivityEnded() override;
    // Under m_mutex: true when some wait is still to come and every activity waits.
    bool Idle() const;
    // Under m_mutex: moves the time on to the earliest deadline still to come.
    void AdvanceToNextDeadline();

    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    TimePoint m_now{};
    // Every wait under way, by its deadline.
    std::multimap<TimePoint, std::stop_token> m_waits;
    std::size_t m_activities = 0;
};

} // namespace zvk::test
