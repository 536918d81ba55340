#include "files/exclusive_file_lock.h"

#include <gtest/gtest.h>

#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::Succeeded;
using test::TempDir;

TEST(ExclusiveFileLockTest, OneHolderAtATimeEvenWithinOneProcess)
{
    TempDir dir;
    const fs::path path = dir.Path() / "transfer.lock";
    Result<std::unique_ptr<ExclusiveFileLock>> first = ExclusiveFileLock::Take(path);
    ASSERT_TRUE(Succeeded(first));
    ASSERT_NE(*first, nullptr);
    {
        const Result<std::unique_ptr<ExclusiveFileLock>> second = ExclusiveFileLock::Take(path);
        ASSERT_TRUE(Succeeded(second));
        EXPECT_EQ(*second, nullptr);
    }
    first->reset();
    const Result<std::unique_ptr<ExclusiveFileLock>> third = ExclusiveFileLock::Take(path);
    ASSERT_TRUE(Succeeded(third));
    EXPECT_NE(*third, nullptr);
    EXPECT_TRUE(fs::exists(path));
}

TEST(ExclusiveFileLockTest, LockFileThatCannotBeMadeIsNamed)
{
    TempDir dir;
    const fs::path path = dir.Path() / "missing" / "transfer.lock";
    const Result<std::unique_ptr<ExclusiveFileLock>> lock = ExclusiveFileLock::Take(path);
    ASSERT_FALSE(lock);
    EXPECT_EQ(lock.error().detail, "cannot lock " + PathText(path) + ": No such file or directory");
    EXPECT_EQ(lock.error().file.file, path);
}

TEST(ExclusiveFileLockTest, ExistingLockFileServesInAFolderThatCannotBeWritten)
{
    TempDir dir;
    const fs::path folder = dir.Path() / "handheld";
    fs::create_directories(folder);
    ASSERT_TRUE(Succeeded(ExclusiveFileLock::Take(folder / "transfer.lock")));
    constexpr fs::perms kReadOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(folder / "transfer.lock", kReadOnly);
    fs::permissions(folder, kReadOnly | fs::perms::owner_exec | fs::perms::group_exec |
                                fs::perms::others_exec);
    const auto servesAndNamesTheRefusal = [&] {
        const Result<std::unique_ptr<ExclusiveFileLock>> lock =
            ExclusiveFileLock::Take(folder / "transfer.lock");
        if (!lock || *lock == nullptr)
            return false;
#ifdef _WIN32
        return true; // permission bits keep no new file out of a folder there
#else
        // Where there is none, the folder's refusal is the reason told.
        const Result<std::unique_ptr<ExclusiveFileLock>> none =
            ExclusiveFileLock::Take(folder / "other.lock");
        return !none && none.error().file.reason == std::errc::permission_denied;
#endif
    };
    EXPECT_TRUE(test::AsOrdinaryUser(servesAndNamesTheRefusal));
}

} // namespace
} // namespace zvk
