#pragma once

#include <cstddef>
#include <filesystem>
#include <system_error>
#include <type_traits>

namespace zvk {

// Why Windows refuses a file that another system would take, worded for the user rather
// than left to a bare system error: the clerk can do something about each of them.
enum class WindowsRefusal
{
    // Another program (a spreadsheet, an antivirus, the search indexer) holds the file
    // open and kept holding it while the write was tried again.
    HeldByAnotherProgram = 1,
    // The path is longer than the 260 characters that Windows programs are given.
    PathTooLong,
};

// The characters a Windows path may have, its terminating null included.
inline constexpr std::size_t kWindowsPathLimit = 260;

// Whether Windows would refuse `path` for its length, with `room` characters still to be
// added to it (a folder's files' names). Never on other systems.
bool ExceedsWindowsPathLimit(const std::filesystem::path& path, std::size_t room = 0);

const std::error_category& WindowsRefusalCategory();
std::error_code make_error_code(WindowsRefusal refusal);

} // namespace zvk

template <> struct std::is_error_code_enum<zvk::WindowsRefusal> : std::true_type
{
};
