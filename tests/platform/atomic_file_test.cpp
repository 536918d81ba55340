#include "platform/atomic_file.h"
#include "platform/input_file.h"

#include <gtest/gtest.h>

#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::TempDir;

TEST(AtomicFileTest, TemporaryNameIsHiddenBesideTheTargetAndNoList)
{
    const fs::path temporary = TemporaryPathFor("/data/LIST01.DAT");
    EXPECT_EQ(temporary.parent_path(), fs::path("/data"));
    EXPECT_EQ(temporary.filename().string().substr(0, 12), ".LIST01.DAT.");
    EXPECT_EQ(temporary.extension(), ".tmp");
    EXPECT_NE(TemporaryPathFor("/data/LIST01.DAT"), temporary);
}

TEST(AtomicFileTest, TargetAppearsOnlyOnCommit)
{
    TempDir dir;
    const fs::path target = dir.Path() / "ZVK.INI";
    dir.Write("ZVK.INI", "old");
    {
        AtomicFileWriter writer(target);
        ASSERT_TRUE(writer.IsOpen()) << writer.Error();
        writer.Write("new ");
        writer.Write("content");
        EXPECT_EQ(ReadBytes(target), "old");
        EXPECT_TRUE(fs::exists(writer.TemporaryPath()));
        ASSERT_TRUE(writer.Commit()) << writer.Error();
    }
    EXPECT_EQ(ReadBytes(target), "new content");
    EXPECT_EQ(ListFolder(dir.Path()), "ZVK.INI");
}

TEST(AtomicFileTest, DroppedWriterLeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    const fs::path target = dir.Write("LIST01.csv", "old");
    {
        AtomicFileWriter writer(target);
        writer.Write("half a file");
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(ListFolder(dir.Path()), "LIST01.csv");
}

TEST(AtomicFileTest, KeepsThePermissionsOfTheFileItReplaces)
{
    TempDir dir;
    const fs::path target = dir.Write("ZVKServer.ini", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(WriteFileAtomically(target, "new"), "");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(AtomicFileTest, RefusesFoldersReadOnlyFilesAndMissingFolders)
{
    TempDir dir;
    EXPECT_NE(WriteFileAtomically(dir.Path(), "x"), "");
    const fs::path readOnly = dir.Write("ZVK.INI", "keep");
    fs::permissions(readOnly, fs::perms::owner_read);
    EXPECT_NE(WriteFileAtomically(readOnly, "x").find("read-only"), std::string::npos);
    EXPECT_EQ(ReadBytes(readOnly), "keep");
    EXPECT_NE(WriteFileAtomically(dir.Path() / "missing" / "a.csv", "x"), "");
    EXPECT_EQ(ListFolder(dir.Path()), "ZVK.INI");
}

#ifndef _WIN32
TEST(AtomicFileTest, WriteErrorIsReportedAndNothingReplaced)
{
    TempDir dir;
    const fs::path target = dir.Write("LIST01.csv", "old");
    std::string error;
    {
        const test::FileSizeLimit limit(4096);
        error = WriteFileAtomically(target, std::string(1 << 20, 'x'));
    }
    EXPECT_NE(error, "");
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(ListFolder(dir.Path()), "LIST01.csv");
}
#endif

TEST(ReadWholeFileTest, ReadsBytesOrSaysWhy)
{
    TempDir dir;
    std::string bytes;
    std::string error;
    const std::string content("A\0B\r\n\xE1", 6);
    ASSERT_TRUE(ReadWholeFile(dir.Write("x.dat", content), bytes, error));
    EXPECT_EQ(bytes, content);
    EXPECT_FALSE(ReadWholeFile(dir.Path() / "missing", bytes, error));
    EXPECT_NE(error.find("missing"), std::string::npos);
    EXPECT_FALSE(ReadWholeFile(dir.Path(), bytes, error));
}

} // namespace
} // namespace zvk
