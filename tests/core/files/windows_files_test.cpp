// Windows' own rules for the files the program writes: what another program holds open,
// what it replaces, how long a path may be.
#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include <windows.h>

#include "files/atomic_file.h"
#include "files/input_file.h"
#include "files/windows_refusal.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::Succeeded;
using test::TempDir;

// Another program that holds `file` open and shares it with nobody, as a spreadsheet
// holds a text or an antivirus a file it scans, and lets go after `span`.
class Holder
{
public:
    Holder(const fs::path& file, std::chrono::milliseconds span)
        : m_handle(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)),
          m_release([this, span] {
              std::this_thread::sleep_for(span);
              CloseHandle(m_handle);
          })
    {
        EXPECT_NE(m_handle, INVALID_HANDLE_VALUE) << "cannot hold " << file;
    }

private:
    HANDLE m_handle;
    std::jthread m_release;
};

// Held for a moment, a file is waited for: it is replaced, or read, once it is let go.
TEST(WindowsFilesTest, AFileHeldForAMomentIsWaitedFor)
{
    TempDir dir;
    const fs::path list = dir.Write("LIST01.csv", "earlier");
    {
        const Holder antivirus(list, std::chrono::milliseconds(400));
        ASSERT_TRUE(Succeeded(WriteFileAtomically(list, "received")));
    }
    {
        const Holder indexer(list, std::chrono::milliseconds(400));
        const Result<std::string> read = ReadWholeFile(list);
        ASSERT_TRUE(Succeeded(read));
        EXPECT_EQ(*read, "received");
    }
    EXPECT_EQ(ListFolder(dir.Path()), "LIST01.csv");
}

// Held for good, the file is named as open in another program, keeps its bytes, and no
// temporary file is left.
TEST(WindowsFilesTest, AFileHeldForGoodIsNamedAndKeepsItsBytes)
{
    TempDir dir;
    const fs::path list = dir.Write("LIST01.csv", "earlier");
    const Holder spreadsheet(list, std::chrono::seconds(5));
    const Result<> written = WriteFileAtomically(list, "received");
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().file.reason, WindowsRefusal::HeldByAnotherProgram);
    EXPECT_NE(written.error().detail.find("open in another program"), std::string::npos)
        << written.error().detail;
    EXPECT_EQ(ListFolder(dir.Path()), "LIST01.csv");
    const Result<std::string> read = ReadWholeFile(list);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().file.reason, WindowsRefusal::HeldByAnotherProgram);
}

// A file that is replaced keeps what the system knows of it beyond its bytes: here the
// attributes a clerk or a backup program set.
TEST(WindowsFilesTest, AReplacedFileKeepsItsAttributes)
{
    TempDir dir;
    const fs::path list = dir.Write("ZVK.INI", "earlier");
    ASSERT_NE(SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_HIDDEN), 0);
    ASSERT_TRUE(Succeeded(WriteFileAtomically(list, "saved")));
    EXPECT_EQ(ReadBytes(list), "saved");
    EXPECT_NE(GetFileAttributesW(list.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

// A path longer than Windows takes is refused with the limit named, before anything is
// made: its folder is not even looked for.
TEST(WindowsFilesTest, APathOverWindowsLimitIsRefusedBeforeAnythingIsMade)
{
    TempDir dir;
    const fs::path list = dir.Path() / std::string(250, 'a') / "LIST0001.DAT";
    AtomicFileWriter writer(list);
    EXPECT_FALSE(writer.IsOpen());
    const Result<> written = writer.Commit();
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().file.reason, WindowsRefusal::PathTooLong);
    EXPECT_NE(written.error().detail.find("260"), std::string::npos) << written.error().detail;
    EXPECT_EQ(ListFolder(dir.Path()), "");
}

} // namespace
} // namespace zvk
