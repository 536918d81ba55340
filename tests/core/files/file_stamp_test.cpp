#include "files/file_stamp.h"

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// Helpers take the stamps part after part while the caller asks for them in any order,
// or leaves before it has asked for all.
TEST(FolderStampsTest, EveryStampIsTheFilesOwnWhoeverTakesIt)
{
    test::TempDir folder;
    std::vector<std::string> names;
    for (int file = 0; file < 3000; ++file) {
        names.push_back("L" + std::to_string(file) + ".DAT");
        if (file % 3 != 0) // every third is missing
            folder.Write(names.back(), std::string(static_cast<std::size_t>(file % 50), 'x'));
    }
    const auto expectOwnStamp = [&](FolderStamps& stamps, std::size_t file) {
        const std::optional<FileStamp>& stamp = stamps.StampOf(file);
        ASSERT_EQ(stamp.has_value(), file % 3 != 0) << names[file];
        if (stamp) {
            EXPECT_EQ(stamp->size, file % 50) << names[file];
        }
    };
    {
        FolderStamps stamps(folder.Path(), names);
        for (std::size_t file = 0; file < names.size(); ++file)
            expectOwnStamp(stamps, file);
    }
    {
        FolderStamps stamps(folder.Path(), names);
        for (std::size_t file = names.size(); file-- > 0;)
            expectOwnStamp(stamps, file);
    }
    {
        FolderStamps stamps(folder.Path(), names);
        expectOwnStamp(stamps, 1);
    }
    FolderStamps missing(folder.Path() / "missing", names);
    EXPECT_FALSE(missing.StampOf(names.size() - 1));
}

// A list changed behind a report's back has another stamp, even when its size and its
// modification time were made to look as before: edited in place and its time set back,
// or deleted and another list written under its name (which NTFS gives the deleted
// list's creation time).
TEST(FolderStampsTest, AListChangedUnderItsOldSizeAndTimeHasAnotherStamp)
{
    test::TempDir folder;
    const std::vector<std::string> names = {"LIST0001.DAT"};
    const fs::path list = folder.Write(names[0], "before");
    const fs::file_time_type written = fs::last_write_time(list) - std::chrono::hours(1);
    const auto stamp = [&] {
        return std::optional<FileStamp>(FolderStamps(folder.Path(), names).StampOf(0));
    };
    const auto rewrite = [&](const char* bytes) {
        std::ofstream(list, std::ios::binary | std::ios::in) << bytes;
        fs::last_write_time(list, written);
    };
    const struct
    {
        const char* change;
        std::function<void()> make;
    } changes[] = {
        {"edited in place", [&] { rewrite("after!"); }},
        {"replaced by another list",
         [&] {
             fs::remove(list);
             std::ofstream(list, std::ios::binary) << "other!";
             fs::last_write_time(list, written);
         }},
    };
    fs::last_write_time(list, written);
    for (const auto& [change, make] : changes) {
        SCOPED_TRACE(change);
        const std::optional<FileStamp> before = stamp();
        ASSERT_TRUE(before);
        // The system keeps a file's times in steps of a few milliseconds.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        make();
        const std::optional<FileStamp> after = stamp();
        ASSERT_TRUE(after);
        EXPECT_EQ(after->size, before->size);
        EXPECT_EQ(after->modified, before->modified);
        EXPECT_NE(*after, *before);
    }
}

#ifndef _WIN32
// A list reached through a symbolic link is stamped as the list it leads to, and a change
// of that list is seen through the link.
TEST(FolderStampsTest, AListThroughALinkHasTheStampOfItsTarget)
{
    test::TempDir folder;
    const fs::path target = folder.Write("elsewhere/LIST0001.DAT", "measured");
    fs::create_symlink(target, folder.Path() / "LIST0001.DAT");
    const std::vector<std::string> names = {"LIST0001.DAT"};
    const std::vector<std::string> targetNames = {"LIST0001.DAT"};
    const auto stamp = [&](const fs::path& in, const std::vector<std::string>& of) {
        return std::optional<FileStamp>(FolderStamps(in, of).StampOf(0));
    };
    const std::optional<FileStamp> linked = stamp(folder.Path(), names);
    ASSERT_TRUE(linked);
    EXPECT_EQ(linked, stamp(target.parent_path(), targetNames));
    EXPECT_EQ(linked->size, 8u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    std::ofstream(target, std::ios::binary | std::ios::in) << "M";
    EXPECT_NE(stamp(folder.Path(), names), linked);
}
#endif

} // namespace
} // namespace zvk
