#pragma once

#include "device/clock.h"

namespace zvk::bench {

// The once-a-second poll for the handheld's export marker is waiting, not work: on this
// clock every wait lasts a millisecond.
class HurriedClock final : public Clock
{
public:
    TimePoint Now() override;
    bool WaitUntil(TimePoint deadline, std::stop_token stop) override;
};

} // namespace zvk::bench
