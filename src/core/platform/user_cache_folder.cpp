#include "platform/user_cache_folder.h"

#include <cstdlib>

namespace fs = std::filesystem;

namespace zvk {

fs::path UserCacheFolder()
{
#ifdef _WIN32
    // The wide environment: a user name with Slovak letters is not lost on the way.
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    if (local == nullptr || *local == L'\0')
        return {};
    return fs::path(local) / "ZVK PC" / "cache";
#else
    // A relative XDG_CACHE_HOME is to be ignored, as the base directory rules say.
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/')
        return fs::path(cache) / "zvk-pc";
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home != '/')
        return {};
    return fs::path(home) / ".cache" / "zvk-pc";
#endif
}

} // namespace zvk
