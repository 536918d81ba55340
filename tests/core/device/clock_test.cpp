#include "device/clock.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace zvk {
namespace {

using namespace std::chrono_literals;

// A stop from another thread ends a wait of the real clock, also when it comes in the
// very moment the wait ends: the wait then takes back its stop callback while the stop
// still runs it. The C++ runtime of mingw-w64 (GCC 12) could lose the wake-up of that
// moment and hang the waiting thread for ever.
TEST(SteadyClockTest, AStopFromAnotherThreadEndsEveryWait)
{
    for (int round = 0; round < 3000; ++round) {
        std::stop_source stop;
        bool came = true;
        std::jthread waiting([&] { came = SteadyClock().WaitFor(1h, stop.get_token()); });
        stop.request_stop();
        waiting.join();
        ASSERT_FALSE(came) << round;
    }
}

} // namespace
} // namespace zvk
