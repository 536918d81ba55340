#include "platform/atomic_file.h"
#include "platform/input_file.h"
#include "platform/output_refusal.h"

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

    // A file that need not be on the disk at once replaces the earlier one all the same.
    AtomicFileWriter cached(target, AtomicFileWriter::Existing::Replace,
                            AtomicFileWriter::Durability::Cached);
    cached.Write("newer");
    ASSERT_TRUE(cached.Commit()) << cached.Error();
    EXPECT_EQ(ReadBytes(target), "newer");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(ListFolder(dir.Path()), "ZVKServer.ini");
}

TEST(AtomicFileTest, RefusesFoldersReadOnlyFilesAndMissingFolders)
{
    TempDir dir;
    EXPECT_NE(WriteFileAtomically(dir.Path(), "x"), "");
    const fs::path readOnly = dir.Write("ZVK.INI", "keep");
    fs::permissions(readOnly, fs::perms::owner_read);
    EXPECT_NE(WriteFileAtomically(readOnly, "x").find("read-only"), std::string::npos);
    EXPECT_EQ(AtomicFileWriter(readOnly).Reason(), OutputRefusal::ReadOnly);
    EXPECT_EQ(ReadBytes(readOnly), "keep");
    EXPECT_NE(WriteFileAtomically(dir.Path() / "missing" / "a.csv", "x"), "");
    EXPECT_EQ(ListFolder(dir.Path()), "ZVK.INI");
}

TEST(AtomicFileTest, KeepingWriterTakesOnlyAFreeName)
{
    TempDir dir;
    const fs::path taken = dir.Write("20260305070809.rtf", "earlier");
    AtomicFileWriter writer(taken, AtomicFileWriter::Existing::Keep);
    writer.Write("later");
    EXPECT_FALSE(writer.Commit());
    EXPECT_TRUE(writer.NameTaken());
    EXPECT_EQ(writer.Reason(), std::errc::file_exists);
    ASSERT_TRUE(writer.CommitAs(dir.Path() / "20260305070809_2.rtf")) << writer.Error();
    EXPECT_FALSE(writer.NameTaken());
    EXPECT_EQ(ReadBytes(taken), "earlier");
    EXPECT_EQ(ReadBytes(dir.Path() / "20260305070809_2.rtf"), "later");
    EXPECT_EQ(ListFolder(dir.Path()), "20260305070809.rtf 20260305070809_2.rtf");
}

#ifndef _WIN32
TEST(AtomicFileTest, SymbolicLinkIsReplacedAndItsTargetLeftAlone)
{
    TempDir dir;
    const fs::path elsewhere = dir.Write("elsewhere.rtf", "keep");
    fs::create_symlink(elsewhere, dir.Path() / "report.rtf");
    ASSERT_EQ(WriteFileAtomically(dir.Path() / "report.rtf", "new"), "");
    EXPECT_FALSE(fs::is_symlink(dir.Path() / "report.rtf"));
    EXPECT_EQ(ReadBytes(dir.Path() / "report.rtf"), "new");
    EXPECT_EQ(ReadBytes(elsewhere), "keep");
}

TEST(AtomicFileTest, AbandonedTemporaryFilesGoAndHeldOnesStay)
{
    TempDir dir;
    AtomicFileWriter held(dir.Path() / "LIST01.csv");
    ASSERT_TRUE(held.IsOpen()) << held.Error();
    held.Write("being written");
    const fs::path abandoned = TemporaryPathFor(dir.Path() / "LIST02.DAT");
    dir.Write(abandoned.filename().string(), "left by a killed writer");
    for (const char* other : {".keep.tmp", "LIST03.DAT.1a-2.tmp", ".LIST04.DAT.1a-2.tmp.csv",
                              ".LIST05.DAT.1g-2.tmp", ".LIST06.DAT.tmp"})
        dir.Write(other, "not a temporary file of a writer");
    EXPECT_TRUE(IsTemporaryName(held.TemporaryPath().filename().string()));

    RemoveAbandonedTemporaryFiles(dir.Path());
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(held.TemporaryPath()));
    EXPECT_EQ(ListFolder(dir.Path()), held.TemporaryPath().filename().string() +
                                          " .LIST04.DAT.1a-2.tmp.csv .LIST05.DAT.1g-2.tmp "
                                          ".LIST06.DAT.tmp .keep.tmp LIST03.DAT.1a-2.tmp");
    ASSERT_TRUE(held.Commit()) << held.Error();
    EXPECT_EQ(ReadBytes(dir.Path() / "LIST01.csv"), "being written");
}

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
