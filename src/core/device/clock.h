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

    virtual ~Clock() = default;

    virtual TimePoint Now() = 0;
    // Returns once `deadline` has come (true) or a stop was requested first (false).
    virtual bool WaitUntil(TimePoint deadline, std::stop_token stop) = 0;

    bool WaitFor(Duration period, std::stop_token stop);
};

// The real time of the machine, never set back.
Clock& SteadyClock();

} // namespace zvk
