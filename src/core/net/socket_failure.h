#pragma once

#include <string>
#include <system_error>

#include "system/result.h"

namespace zvk {

// A failure of the network: what could not be done, then the reason, in the same English
// words on every system ("cannot connect to 169.254.2.1:990: connection refused").
Unexpected<Failure> SocketFailure(const std::string& what, std::error_code reason);

} // namespace zvk
