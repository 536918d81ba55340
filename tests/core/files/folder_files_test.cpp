#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "files/folder_files.h"
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

} // namespace
} // namespace zvk
