#pragma once

#include <set>
#include <string>
#include <string_view>

#include "device/remote_api.h"
#include "emulator/disk_space.h"
#include "system/result.h"

namespace zvk::emulator {

// The handheld's answer to one Remote API request: the request payload decoded by its
// command, the call made on `handheld`, and the reply payload encoded, its last error
// the handheld's when the call failed. Writes go to the handheld only as far as `disk`
// takes them. The files it opens and closes are kept in `open`. A failure for a request
// the device cannot read or does not serve.
Result<std::string> AnswerCall(std::string_view request, RemoteApi& handheld, DiskSpace& disk,
                               std::set<CeHandle>& open);

} // namespace zvk::emulator
