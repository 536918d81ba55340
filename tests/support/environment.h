#pragma once

#include <filesystem>

namespace zvk::test {

// Sets an environment variable of this process, which the programs it starts inherit. The
// value is a path in the system's own form, so that a folder with Slovak letters passes
// whole on Windows too.
void SetEnvironment(const char* name, const std::filesystem::path& value);
void UnsetEnvironment(const char* name);

} // namespace zvk::test
