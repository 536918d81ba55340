#pragma once

#include <string>
#include <system_error>
#include <type_traits>

namespace zvk {

// Why the device connection software on Windows (Windows Mobile Device Center, earlier
// ActiveSync) cannot reach the handheld: the reason of a failure about its rapi.dll, which
// each user interface words in its own language.
enum class ConnectionSoftwareFault
{
    // No rapi.dll where the system keeps it or beside the program.
    NotInstalled = 1,
    // A rapi.dll that lacks a function the desktop calls.
    Incomplete,
};

const std::error_category& ConnectionSoftwareFaultCategory();
std::error_code make_error_code(ConnectionSoftwareFault fault);

} // namespace zvk

template <> struct std::is_error_code_enum<zvk::ConnectionSoftwareFault> : std::true_type
{
};
