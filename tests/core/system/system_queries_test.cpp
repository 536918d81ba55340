#include <filesystem>

#include <gtest/gtest.h>

#include "support/environment.h"
#include "system/environment_path.h"
#include "system/user_cache_folder.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// Slovak letters that the Windows code page of a Western PC lacks pass whole.
TEST(EnvironmentPathTest, ReadsTheVariableWholeAndNothingWhenItIsUnset)
{
    const fs::path folder(u8"/tmp/Zväzok č. 7");
    {
        const test::ScopedEnvironment named("ZVK_QUERY_TEST", folder);
        EXPECT_EQ(EnvironmentPath("ZVK_QUERY_TEST"), folder);
    }
    EXPECT_EQ(EnvironmentPath("ZVK_QUERY_TEST"), fs::path());
}

TEST(UserCacheFolderTest, IsTheSystemsPlaceOrNoneWhenTheEnvironmentNamesNone)
{
#ifdef _WIN32
    const test::ScopedEnvironment local("LOCALAPPDATA", u8"C:\\Users\\Ľuboš\\AppData\\Local");
    EXPECT_EQ(UserCacheFolder(), fs::path(u8"C:\\Users\\Ľuboš\\AppData\\Local\\ZVK PC\\cache"));
    const test::ScopedEnvironment none("LOCALAPPDATA", {});
    EXPECT_EQ(UserCacheFolder(), fs::path());
#else
    struct Case
    {
        const char* cache;
        const char* home;
        const char* folder;
    };
    // A relative XDG_CACHE_HOME or HOME names no place.
    for (const Case& c : {Case{"/var/cache/les", "/home/les", "/var/cache/les/zvk-pc"},
                          Case{"cache", "/home/les", "/home/les/.cache/zvk-pc"},
                          Case{"", "/home/les", "/home/les/.cache/zvk-pc"}, Case{"", "les", ""}}) {
        const test::ScopedEnvironment cache("XDG_CACHE_HOME", c.cache);
        const test::ScopedEnvironment home("HOME", c.home);
        EXPECT_EQ(UserCacheFolder(), fs::path(c.folder)) << c.cache << " " << c.home;
    }
#endif
}

} // namespace
} // namespace zvk
