#pragma once

#ifdef _WIN32

#include <filesystem>

namespace zvk {

// The file a loaded module (an HMODULE) came from, the program's own for null; empty when
// the system does not say.
std::filesystem::path ModuleFile(void* module);

} // namespace zvk

#endif
