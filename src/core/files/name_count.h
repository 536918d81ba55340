#pragma once

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace zvk {

// How many names (hard links) the file has; 0, with `ec` set, when that cannot be told.
// The C++ runtime of mingw-w64 tells 1 for every file on Windows: there the file's own
// count is asked for.
std::uintmax_t NameCount(const std::filesystem::path& path, std::error_code& ec);

} // namespace zvk
