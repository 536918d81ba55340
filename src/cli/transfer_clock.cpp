#include "cli/transfer_clock.h"

#include <atomic>

namespace zvk::cli {
namespace {

std::atomic<Clock*> g_clock = nullptr;

} // namespace

Clock& TransferClock()
{
    Clock* clock = g_clock;
    return clock != nullptr ? *clock : SteadyClock();
}

void SetTransferClock(Clock* clock)
{
    g_clock = clock;
}

} // namespace zvk::cli
