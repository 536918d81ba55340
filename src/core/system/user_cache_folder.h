#pragma once

#include <filesystem>

namespace zvk {

// The program's folder in the user's cache, for what it can make again whenever it
// is lost (the reports' header indexes): on Windows in the user's local application
// data, elsewhere in $XDG_CACHE_HOME or ~/.cache. Empty when the environment names
// no such place; the folder itself may not exist yet. One of the system's queries, which
// only a program's main makes, handing the answer down.
std::filesystem::path UserCacheFolder();

} // namespace zvk
