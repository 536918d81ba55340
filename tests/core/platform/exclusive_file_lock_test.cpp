#include "platform/exclusive_file_lock.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::TempDir;

TEST(ExclusiveFileLockTest, OneHolderAtATimeEvenWithinOneProcess)
{
    TempDir dir;
    const fs::path path = dir.Path() / "transfer.lock";
    auto first = std::make_unique<ExclusiveFileLock>(path);
    ASSERT_TRUE(first->Held()) << first->Error();
    {
        const ExclusiveFileLock second(path);
        EXPECT_FALSE(second.Held());
        EXPECT_EQ(second.Error(), "");
    }
    first.reset();
    const ExclusiveFileLock third(path);
    EXPECT_TRUE(third.Held()) << third.Error();
    EXPECT_TRUE(fs::exists(path));
}

TEST(ExclusiveFileLockTest, LockFileThatCannotBeMadeIsNamed)
{
    TempDir dir;
    const ExclusiveFileLock lock(dir.Path() / "missing" / "transfer.lock");
    EXPECT_FALSE(lock.Held());
    EXPECT_NE(lock.Error().find("missing/transfer.lock: No such file or directory"),
              std::string::npos)
        << lock.Error();
}

TEST(ExclusiveFileLockTest, ExistingLockFileServesInAFolderThatCannotBeWritten)
{
    TempDir dir;
    const fs::path folder = dir.Path() / "handheld";
    fs::create_directories(folder);
    {
        const ExclusiveFileLock made(folder / "transfer.lock");
    }
    constexpr fs::perms kReadOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(folder / "transfer.lock", kReadOnly);
    fs::permissions(folder, kReadOnly | fs::perms::owner_exec | fs::perms::group_exec |
                                fs::perms::others_exec);
    EXPECT_TRUE(
        test::AsOrdinaryUser([&] { return ExclusiveFileLock(folder / "transfer.lock").Held(); }));
}

} // namespace
} // namespace zvk
