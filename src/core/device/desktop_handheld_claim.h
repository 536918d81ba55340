#pragma once

#include <string_view>

#include "device/remote_api.h"
#include "system/result.h"

namespace zvk {

// Claims the real handheld for one transfer, whichever link reaches it: one handheld is
// connected to a desktop at a time, so one lock for the desktop's user, in the temporary
// folder, keeps its transfers apart. Busy when another transfer holds it, a failure when
// the lock cannot be made. A handheld reached over a link named for it (`linkName`, made of
// letters, digits, dots and dashes) is another handheld, with a lock of its own.
Result<ClaimOutcome> ClaimDesktopHandheld(std::string_view linkName = {});

} // namespace zvk
