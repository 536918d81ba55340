#include "system/user_cache_folder.h"

#include "system/environment_path.h"

namespace fs = std::filesystem;

namespace zvk {

fs::path UserCacheFolder()
{
#ifdef _WIN32
    const fs::path local = EnvironmentPath("LOCALAPPDATA");
    if (local.empty())
        return {};
    return local / "ZVK PC" / "cache";
#else
    // A relative XDG_CACHE_HOME is to be ignored, as the base directory rules say.
    if (const fs::path cache = EnvironmentPath("XDG_CACHE_HOME"); cache.is_absolute())
        return cache / "zvk-pc";
    const fs::path home = EnvironmentPath("HOME");
    if (!home.is_absolute())
        return {};
    return home / ".cache" / "zvk-pc";
#endif
}

} // namespace zvk
