#pragma once

#include <filesystem>
#include <string_view>

namespace zvk {

// The path that the process's environment variable `name` (ASCII) holds; empty when it is
// unset. One of the system's queries, which only a program's main makes, handing the
// answer down.
std::filesystem::path EnvironmentPath(std::string_view name);

} // namespace zvk
