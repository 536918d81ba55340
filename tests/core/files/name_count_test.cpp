#include "files/name_count.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

TEST(NameCountTest, CountsEveryNameOfTheFile)
{
    test::TempDir dir;
    const fs::path list = dir.Write("LIST01.DAT", "AD\r\n");
    std::error_code ec;
    EXPECT_EQ(NameCount(list, ec), 1u);
    fs::create_hard_link(list, dir.Path() / "kopia.rtf");
    EXPECT_EQ(NameCount(list, ec), 2u);
    EXPECT_EQ(NameCount(dir.Path() / "kopia.rtf", ec), 2u);
    EXPECT_FALSE(ec);
    EXPECT_EQ(NameCount(dir.Path() / "MISSING.DAT", ec), 0u);
    EXPECT_EQ(ec, std::errc::no_such_file_or_directory);
}

} // namespace
} // namespace zvk
