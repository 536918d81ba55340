#pragma once

#include "device/clock.h"

namespace zvk::cli {

// The clock the tool's transfers take their time from: the machine's, unless another
// was set (tests set one they advance themselves).
Clock& TransferClock();
// Sets the transfers' clock; nullptr brings the machine's back.
void SetTransferClock(Clock* clock);

} // namespace zvk::cli
