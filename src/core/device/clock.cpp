#include "device/clock.h"

#include <condition_variable>
#include <mutex>
#include <utility>

namespace zvk {
namespace {

class RealSteadyClock final : public Clock
{
public:
    TimePoint Now() override
    {
        return std::chrono::steady_clock::now();
    }

    bool WaitUntil(TimePoint deadline, std::stop_token stop) override
    {
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        wake.wait_until(lock, stop, deadline, [] { return false; });
        return !stop.stop_requested();
    }
};

} // namespace

Clock::Activity::Activity(Clock& clock) : m_clock(&clock)
{
    m_clock->ActivityBegun();
}

Clock::Activity::Activity(Activity&& other) noexcept
    : m_clock(std::exchange(other.m_clock, nullptr))
{}

Clock::Activity::~Activity()
{
    if (m_clock != nullptr)
        m_clock->ActivityEnded();
}

bool Clock::WaitFor(Duration period, std::stop_token stop)
{
    return WaitUntil(Now() + period, std::move(stop));
}

Clock& SteadyClock()
{
    static RealSteadyClock clock;
    return clock;
}

} // namespace zvk
