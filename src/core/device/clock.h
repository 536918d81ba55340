#pragma once

#include <chrono>
#include <stop_token>

namespace zvk {

// Where the link and the handheld take their time from: the watchdog of a connection,
// the poll for the handheld's export, the emulated handheld's delays and the start of
// the command-line automation. The program uses SteadyClock(); tests use a clock they
// advance themselves, so that nothing they check waits for real seconds.
class Clock
{
public:
    using Duration = std::chrono::steady_clock::duration;
    using TimePoint = std::chrono::steady_clock::time_point;

    // Work of a thread of the link or the handheld (a connection attempt, the emulated
    // program's runs, a delayed start), counted from the moment it is handed to its thread
    // until that thread is done with it. Such a thread blocks on nothing but this clock
    // for long: while every activity waits on the clock, only time can move the program
    // on. A clock that stands still until a test moves it relies on that count; the
    // machine's clock ignores it.
    class Activity
    {
    public:
        explicit Activity(Clock& clock);
        Activity(Activity&& other) noexcept;
        Activity(const Activity&) = delete;
        Activity& operator=(const Activity&) = delete;
        Activity& operator=(Activity&&) = delete;
        ~Activity();

    private:
        Clock* m_clock;
    };

    virtual ~Clock() = default;

    virtual TimePoint Now() = 0;
    // Returns once `deadline` has come (true) or a stop was requested first (false).
    virtual bool WaitUntil(TimePoint deadline, std::stop_token stop) = 0;

    bool WaitFor(Duration period, std::stop_token stop);

private:
    virtual void ActivityBegun() {}
    virtual void ActivityEnded() {}
};

// The real time of the machine, never set back.
Clock& SteadyClock();

} // namespace zvk
