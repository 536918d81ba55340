#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zvk {

// A path as text is UTF-8 on every system: in messages, in the desktop settings and in
// zvk's arguments. The path itself keeps the system's own form (wide on Windows); going
// through the narrow code page instead would lose every letter it lacks ("č" under code
// page 1252). Elsewhere the bytes pass unchanged both ways.
std::string PathText(const std::filesystem::path& path);

// The path that PathText gave as `text`.
std::filesystem::path PathFromText(std::string_view text);

} // namespace zvk
