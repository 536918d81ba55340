#pragma once

#include <system_error>

namespace zvk {

// The reason of a failed system call as the standard reason it stands for (std::errc in
// the generic category), so that a failure reads the same on every system and the
// window can word it in Slovak. Windows gives its own error numbers, whose system
// texts are in the user's language and in the narrow code page: they would put bytes
// that are no UTF-8 into the program's messages. A number with no standard counterpart
// reads "system error N". Reasons of other kinds pass unchanged.
std::error_code StandardReason(std::error_code reason);

#ifdef _WIN32
// The calling thread's last Windows error (GetLastError) as a standard reason.
std::error_code LastWindowsError();
#endif

} // namespace zvk
