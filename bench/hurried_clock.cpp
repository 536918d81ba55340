#include "hurried_clock.h"

#include <thread>

namespace zvk::bench {

Clock::TimePoint HurriedClock::Now()
{
    return std::chrono::steady_clock::now();
}

bool HurriedClock::WaitUntil(TimePoint /*deadline*/, std::stop_token stop)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return !stop.stop_requested();
}

} // namespace zvk::bench
