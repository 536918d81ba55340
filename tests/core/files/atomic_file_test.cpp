#include "files/atomic_file.h"
#include "files/input_file.h"
#include "files/output_refusal.h"
#include "text/path_text.h"
#include "text/windows1250.h"

#include <cerrno>
#include <fstream>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "support/file_size_limit.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::FailureDetail;
using test::ListFolder;
using test::ReadBytes;
using test::Succeeded;
using test::TempDir;

TEST(AtomicFileTest, TemporaryNameIsHiddenBesideTheTargetAndNoList)
{
    const fs::path temporary = TemporaryPathFor("/data/LIST01.DAT");
    EXPECT_EQ(temporary.parent_path(), fs::path("/data"));
    EXPECT_EQ(temporary.filename().string().substr(0, 12), ".LIST01.DAT.");
    EXPECT_EQ(temporary.extension(), ".tmp");
    EXPECT_NE(TemporaryPathFor("/data/LIST01.DAT"), temporary);
}

// A name that fits has a temporary name that fits: never longer than the target's own
// name (cut at a whole character) or a short name; a sweep still knows it as temporary.
TEST(AtomicFileTest, ANameThatFitsHasATemporaryNameThatFits)
{
    TempDir dir;
    std::string slovak;
    for (int i = 0; i < 123; ++i)
        slovak += "\xC4\x8D"; // "č", two bytes
    for (const std::string& name : {std::string(244, 'a') + ".csv", slovak + ".dat"}) {
        SCOPED_TRACE(name.size());
        const fs::path target = dir.Path() / PathFromText(name);
        AtomicFileWriter writer(target);
        ASSERT_TRUE(writer.IsOpen());
        const std::string temporary = PathText(writer.TemporaryPath().filename());
        EXPECT_LE(temporary.size(), name.size());
        EXPECT_TRUE(IsTemporaryName(temporary));
        EXPECT_TRUE(Utf8FitsWindows1250(temporary)) << "a letter was cut in two";
        writer.Write("x");
        EXPECT_TRUE(Succeeded(writer.Commit()));
        EXPECT_EQ(ReadBytes(target), "x");
    }
    EXPECT_LE(PathText(TemporaryPathFor(dir.Path() / "A.csv").filename()).size(), 40u);
}

TEST(AtomicFileTest, TargetAppearsOnlyOnCommit)
{
    TempDir dir;
    const fs::path target = dir.Path() / "ZVK.INI";
    dir.Write("ZVK.INI", "old");
    {
        AtomicFileWriter writer(target);
        ASSERT_TRUE(writer.IsOpen());
        writer.Write("new ");
        writer.Write("content");
        EXPECT_EQ(ReadBytes(target), "old");
        EXPECT_TRUE(fs::exists(writer.TemporaryPath()));
        ASSERT_TRUE(Succeeded(writer.Commit()));
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
    // What the system keeps of them: all of them on Linux; Windows files have no such
    // bits and read as everyone's.
    const fs::perms kept = fs::status(target).permissions();
    ASSERT_TRUE(Succeeded(WriteFileAtomically(target, "new")));
    EXPECT_EQ(fs::status(target).permissions(), kept);

    // A file that need not be on the disk at once replaces the earlier one all the same.
    AtomicFileWriter cached(target, AtomicFileWriter::Existing::Replace,
                            AtomicFileWriter::Durability::Cached);
    cached.Write("newer");
    ASSERT_TRUE(Succeeded(cached.Commit()));
    EXPECT_EQ(ReadBytes(target), "newer");
    EXPECT_EQ(fs::status(target).permissions(), kept);
    EXPECT_EQ(ListFolder(dir.Path()), "ZVKServer.ini");
#ifndef _WIN32
    // Another user's file, replaced by an administrator, stays that user's.
    if (geteuid() == 0) {
        constexpr uid_t kOther = 65534;
        ASSERT_EQ(chown(target.c_str(), kOther, kOther), 0);
        ASSERT_TRUE(Succeeded(WriteFileAtomically(target, "newest")));
        struct stat owned
        {
        };
        ASSERT_EQ(stat(target.c_str(), &owned), 0);
        EXPECT_EQ(owned.st_uid, kOther);
        EXPECT_EQ(owned.st_gid, kOther);
    }
#endif
}

TEST(AtomicFileTest, RefusesFoldersReadOnlyFilesAndMissingFolders)
{
    TempDir dir;
    const Result<> folder = WriteFileAtomically(dir.Path(), "x");
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().detail, dir.Path().string() + " is a folder");
    EXPECT_EQ(folder.error().file.reason, std::errc::is_a_directory);
    const fs::path readOnly = dir.Write("ZVK.INI", "keep");
    fs::permissions(readOnly, fs::perms::owner_read);
    const Result<> kept = WriteFileAtomically(readOnly, "x");
    ASSERT_FALSE(kept);
    EXPECT_EQ(kept.error().detail, readOnly.string() + " is read-only");
    EXPECT_EQ(kept.error().file.file, readOnly);
    EXPECT_EQ(kept.error().file.reason, OutputRefusal::ReadOnly);
    EXPECT_EQ(kept.error().file.access, FileFailure::Access::Writing);
    EXPECT_EQ(ReadBytes(readOnly), "keep");
    const fs::path unmade = dir.Path() / "missing" / "a.csv";
    const Result<> missing = WriteFileAtomically(unmade, "x");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().file.file, unmade);
    EXPECT_EQ(missing.error().file.reason, std::errc::no_such_file_or_directory);
    EXPECT_EQ(ListFolder(dir.Path()), "ZVK.INI");
}

#ifndef _WIN32
// What is no file: a pipe or a socket is refused at once (an open would wait for a
// reader), a terminal or /dev/null is written directly, and a link to a device is replaced
// by a file with the mode any new file gets, not the device's.
TEST(AtomicFileTest, ThingsThatAreNoFilesAreNeverWaitedOnNorCopied)
{
    TempDir dir;
    const fs::path pipe = dir.Path() / "LIST01.csv";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const Result<> refused = WriteFileAtomically(pipe, "x");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().detail, pipe.string() + " is not a regular file");
    EXPECT_EQ(refused.error().file.reason, InputRefusal::NotARegularFile);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe)));

    EXPECT_TRUE(Succeeded(WriteFileAtomically("/dev/null", "x")));
    EXPECT_TRUE(fs::is_character_file(fs::status("/dev/null")));

    const fs::path index = dir.Path() / "headers.idx";
    fs::create_symlink("/dev/zero", index);
    ASSERT_TRUE(Succeeded(WriteFileAtomically(index, "index")));
    const fs::perms usual = fs::status(dir.Write("fresh", "")).permissions();
    EXPECT_EQ(fs::status(index).permissions(), usual);
    EXPECT_EQ(ReadBytes(index), "index");
    EXPECT_EQ(ListFolder(dir.Path()), "LIST01.csv fresh headers.idx");
}
#endif

// A durable file named without a folder lies in the working folder, and that folder is
// synced: a receive folder setting left empty still receives.
TEST(AtomicFileTest, ADurableFileNamedWithoutAFolderIsWrittenInTheWorkingFolder)
{
    TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.Path());
    const Result<> written = WriteFileAtomically("LIST01.DAT", "received");
    fs::current_path(previous);
    ASSERT_TRUE(Succeeded(written));
    EXPECT_EQ(ReadBytes(dir.Path() / "LIST01.DAT"), "received");
    EXPECT_EQ(ListFolder(dir.Path()), "LIST01.DAT");
}

TEST(AtomicFileTest, KeepingWriterTakesOnlyAFreeName)
{
    TempDir dir;
    const fs::path taken = dir.Write("20260305070809.rtf", "earlier");
    AtomicFileWriter writer(taken, AtomicFileWriter::Existing::Keep);
    writer.Write("later");
    const Result<> committed = writer.Commit();
    ASSERT_FALSE(committed);
    EXPECT_TRUE(writer.NameTaken());
    EXPECT_EQ(committed.error().file.reason, std::errc::file_exists);
    ASSERT_TRUE(Succeeded(writer.CommitAs(dir.Path() / "20260305070809_2.rtf")));
    EXPECT_FALSE(writer.NameTaken());
    EXPECT_EQ(ReadBytes(taken), "earlier");
    EXPECT_EQ(ReadBytes(dir.Path() / "20260305070809_2.rtf"), "later");
    EXPECT_EQ(ListFolder(dir.Path()), "20260305070809.rtf 20260305070809_2.rtf");
}

TEST(AtomicFileTest, SymbolicLinkIsReplacedAndItsTargetLeftAlone)
{
    TempDir dir;
    const fs::path elsewhere = dir.Write("elsewhere.rtf", "keep");
    fs::create_symlink(elsewhere, dir.Path() / "report.rtf");
    ASSERT_TRUE(Succeeded(WriteFileAtomically(dir.Path() / "report.rtf", "new")));
    EXPECT_FALSE(fs::is_symlink(dir.Path() / "report.rtf"));
    EXPECT_EQ(ReadBytes(dir.Path() / "report.rtf"), "new");
    EXPECT_EQ(ReadBytes(elsewhere), "keep");
}

TEST(AtomicFileTest, AbandonedTemporaryFilesGoAndHeldOnesStay)
{
    TempDir dir;
    AtomicFileWriter held(dir.Path() / "LIST01.csv");
    ASSERT_TRUE(held.IsOpen());
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
    ASSERT_TRUE(Succeeded(held.Commit()));
    EXPECT_EQ(ReadBytes(dir.Path() / "LIST01.csv"), "being written");
#ifndef _WIN32
    // One that a writer under a narrow mask (umask 0577) left, which even its owner may
    // only write, goes too.
    fs::permissions(dir.Path(), fs::perms::all);
    EXPECT_TRUE(test::AsOrdinaryUser([&dir] {
        const fs::path narrow = TemporaryPathFor(dir.Path() / "LIST07.DAT");
        std::ofstream(narrow) << "left";
        fs::permissions(narrow, fs::perms::owner_write);
        RemoveAbandonedTemporaryFiles(dir.Path());
        return !fs::exists(narrow);
    }));
#endif
}

// What a process ending at once (a second stop signal) leaves: no file half written, and
// the earlier file of the name as it was.
TEST(AtomicFileTest, ClaimedTemporaryFilesAreRemovedForAnEndAtOnce)
{
    TempDir dir;
    const fs::path target = dir.Write("LIST01.csv", "earlier");
    AtomicFileWriter writer(target);
    writer.Write("half");
    ASSERT_TRUE(fs::exists(writer.TemporaryPath()));
    RemoveClaimedTemporaryFiles();
    EXPECT_EQ(ListFolder(dir.Path()), "LIST01.csv");
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(ReadBytes(target), "earlier");
}

TEST(AtomicFileTest, WriteErrorIsReportedAndNothingReplaced)
{
    TempDir dir;
    const fs::path target = dir.Write("LIST01.csv", "old");
    std::string error;
    {
        const test::FileSizeLimit limit(4096);
        error = FailureDetail(WriteFileAtomically(target, std::string(1 << 20, 'x')));
    }
    EXPECT_EQ(error.substr(0, 13), "cannot write ");
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(ListFolder(dir.Path()), "LIST01.csv");
}

// Stands in for the system's sync to the disk: records what the folder of the file
// held at that moment, and fails when told to.
class SyncToDiskTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        s_folder = m_dir.Path();
        s_seen.clear();
        s_failWith = 0;
        s_failFolderWith = 0;
        m_system = ReplaceSyncToDisk(&Sync);
        m_systemFolder = ReplaceSyncFolder(&SyncFolder);
    }

    void TearDown() override
    {
        ReplaceSyncToDisk(m_system);
        ReplaceSyncFolder(m_systemFolder);
    }

    // Each sync of the folder as "folder:" and what it held.
    static bool SyncFolder(const fs::path& folder)
    {
        s_seen.push_back("folder:" +
                         std::string(fs::equivalent(folder, s_folder) ? "" : " elsewhere"));
        for (const std::string& name : Split(ListFolder(s_folder)))
            s_seen.back() += " " + name + "=" + ReadBytes(s_folder / name);
        errno = s_failFolderWith;
        return s_failFolderWith == 0;
    }

    // Each sync as "name=bytes" of every file in the folder, the temporary one named
    // "temporary".
    static bool Sync(std::FILE* /*file*/)
    {
        std::string seen;
        for (const std::string& name : Split(ListFolder(s_folder))) {
            const std::string shown = name.front() == '.' ? std::string("temporary") : name;
            seen += (seen.empty() ? "" : " ") + shown + "=" + ReadBytes(s_folder / name);
        }
        s_seen.push_back(seen);
        errno = s_failWith;
        return s_failWith == 0;
    }

    static std::vector<std::string> Split(const std::string& listing)
    {
        std::vector<std::string> names;
        std::istringstream words(listing);
        for (std::string name; words >> name;)
            names.push_back(name);
        return names;
    }

    TempDir m_dir;
    SyncToDiskFunction m_system = nullptr;
    SyncFolderFunction m_systemFolder = nullptr;
    static inline fs::path s_folder;
    static inline std::vector<std::string> s_seen;
    static inline int s_failWith = 0;
    static inline int s_failFolderWith = 0;
};

TEST_F(SyncToDiskTest, DurableFileReachesTheDiskWholeBeforeItIsRenamed)
{
    const fs::path target = m_dir.Write("ZVK.INI", "old");
    ASSERT_TRUE(Succeeded(WriteFileAtomically(target, "new content")));
    // The bytes before the rename, the new name with its folder after it.
    EXPECT_EQ(s_seen, (std::vector<std::string>{"temporary=new content ZVK.INI=old",
                                                "folder: ZVK.INI=new content"}));
    EXPECT_EQ(ReadBytes(target), "new content");
}

TEST_F(SyncToDiskTest, FailedFolderSyncIsAFailureThatSaysWhy)
{
    const fs::path target = m_dir.Path() / "LIST01.DAT";
    s_failFolderWith = EIO;
    const Result<> committed = WriteFileAtomically(target, "list");
    ASSERT_FALSE(committed);
    EXPECT_EQ(committed.error().file.reason, std::errc::io_error);
    EXPECT_EQ(committed.error().file.file, target);
    // Nothing is left but the complete file, which the disk may not keep.
    EXPECT_EQ(ListFolder(m_dir.Path()), "LIST01.DAT");
}

TEST_F(SyncToDiskTest, CachedFileIsNotWaitedFor)
{
    const fs::path target = m_dir.Write("LIST01.rtf", "old");
    AtomicFileWriter writer(target, AtomicFileWriter::Existing::Replace,
                            AtomicFileWriter::Durability::Cached);
    writer.Write("document");
    ASSERT_TRUE(Succeeded(writer.Commit()));
    EXPECT_TRUE(s_seen.empty());
    EXPECT_EQ(ReadBytes(target), "document");
}

TEST_F(SyncToDiskTest, FailedSyncKeepsTheOldFileAndSaysWhy)
{
    const fs::path target = m_dir.Write("LIST01.DAT", "old");
    s_failWith = EIO;
    const Result<> committed = WriteFileAtomically(target, "new content");
    ASSERT_FALSE(committed);
    EXPECT_EQ(committed.error().detail, "cannot write " + target.string() + ": " +
                                            std::make_error_code(std::errc::io_error).message());
    EXPECT_EQ(committed.error().file.reason, std::errc::io_error);
    EXPECT_EQ(s_seen.size(), 1u);
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(ListFolder(m_dir.Path()), "LIST01.DAT");
}

TEST(ReadWholeFileTest, ReadsBytesOrSaysWhy)
{
    TempDir dir;
    const std::string content("A\0B\r\n\xE1", 6);
    const Result<std::string> bytes = ReadWholeFile(dir.Write("x.dat", content));
    ASSERT_TRUE(Succeeded(bytes));
    EXPECT_EQ(*bytes, content);
    const Result<std::string> missing = ReadWholeFile(dir.Path() / "missing");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().detail,
              "cannot open " + (dir.Path() / "missing").string() + ": No such file or directory");
    EXPECT_EQ(missing.error().file.file, dir.Path() / "missing");
    EXPECT_EQ(missing.error().file.access, FileFailure::Access::Reading);
    const Result<std::string> folder = ReadWholeFile(dir.Path());
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().file.reason, std::errc::is_a_directory);
}

} // namespace
} // namespace zvk
