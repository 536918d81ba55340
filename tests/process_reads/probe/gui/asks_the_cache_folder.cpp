// A dialog that makes a system query main should have made.
#include "system/user_cache_folder.h"

std::filesystem::path IndexFolder()
{
    return zvk::UserCacheFolder();
}
