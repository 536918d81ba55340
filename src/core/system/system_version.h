#pragma once

#include <string>

#include "system/result.h"

namespace zvk {

// The system the program runs on, for a report to support: "Windows 10.0.19045" (as the
// system's kernel tells it, whatever the program's manifest; under Wine with Wine's
// version after it), elsewhere the kernel's name, release and machine
// ("Linux 6.1.0-28-amd64 x86_64").
Result<std::string> SystemVersion();

} // namespace zvk
