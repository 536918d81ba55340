#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/file_stamp.h"
#include "platform/folder_files.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

bool EndsInDat(std::string_view name)
{
    return name.ends_with(".dat");
}

TEST(FileNamesInTest, NamesFilesAndLinksToFilesButNoFolders)
{
    test::TempDir folder;
    folder.Write("list.dat", "");
    folder.Write("notes.txt", "");
    fs::create_directory(folder.Path() / "folder.dat");
    fs::create_directory_symlink(folder.Path() / "folder.dat", folder.Path() / "to-folder.dat");
    fs::create_symlink(folder.Path() / "list.dat", folder.Path() / "to-list.dat");
    fs::create_symlink(folder.Path() / "gone", folder.Path() / "dangling.dat");
    Result<std::vector<std::string>> names = FileNamesIn(folder.Path(), &EndsInDat);
    ASSERT_TRUE(test::Succeeded(names));
    std::sort(names->begin(), names->end());
    EXPECT_EQ(*names, (std::vector<std::string>{"dangling.dat", "list.dat", "to-list.dat"}));
}

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
        const std::optional<FileStamp>& stamp = stamps.Of(file);
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
    EXPECT_FALSE(missing.Of(names.size() - 1));
}

} // namespace
} // namespace zvk
