#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>
#include <streambuf>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "cli/stop_signals.h"
#include "device/handheld_selection.h"
#include "platform/atomic_file.h"
#include "support/environment.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "zvk_process.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::TempDir;
using test::TestData;

const fs::path kSamples = ZVK_SAMPLE_DIR;
const fs::path kSampleConfig = test::SampleConfiguration();

struct StopSignal
{
    int number;
    const char* name;
    int exitStatus;
};
constexpr StopSignal kStopSignals[] = {{SIGINT, "SIGINT", 130}, {SIGTERM, "SIGTERM", 143}};

// Long enough for any of these commands to end once it is let go.
constexpr std::chrono::seconds kEnd{20};

// Asks `done` every half millisecond until it holds; false when it did not within
// ten seconds.
bool WaitUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return true;
}

// Hidden temporary files (".NAME....tmp") in `folder`, as writers leave them.
std::vector<fs::path> TemporaryFilesIn(const fs::path& folder)
{
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.front() == '.' && name.ends_with(".tmp"))
            found.push_back(it->path());
    }
    return found;
}

std::uintmax_t SizeOr0(const fs::path& path)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    return ec ? 0 : size;
}

// A report over many lists whose last list is a pipe: the report waits there with
// its document half written until the test lets it go on, so that a signal surely
// comes in the middle.
class ReportHeldAtItsLastList
{
public:
    ReportHeldAtItsLastList(const TempDir& dir, const fs::path& output)
        : m_previousPipeHandler(std::signal(SIGPIPE, SIG_IGN))
    {
        const fs::path lists = dir.Path() / "lists";
        fs::create_directories(lists);
        for (int number = 1; number <= 300; ++number)
            fs::copy_file(kSamples / "LIST0001.DAT",
                          lists / ("L" + std::to_string(number) + ".DAT"));
        const fs::path pipe = lists / "ZZZ.DAT";
        EXPECT_EQ(mkfifo(pipe.c_str(), 0600), 0);
        m_zvk.emplace(Arguments{"report", "--folder", lists.string(), "--config",
                                kSampleConfig.string(), "--from", "01.01.2000", "--to",
                                "31.12.2098", "--output", output.string()},
                      dir.Path(), "report");
        // Opening the pipe's writing end succeeds once the report reads it.
        m_held = WaitUntil([&] {
            m_pipe = open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            return m_pipe >= 0;
        });
    }
    ~ReportHeldAtItsLastList()
    {
        if (m_pipe >= 0)
            close(m_pipe);
        std::signal(SIGPIPE, m_previousPipeHandler);
    }

    bool Held() const
    {
        return m_held;
    }
    ZvkProcess& Zvk()
    {
        return *m_zvk;
    }
    // The last list gets a date after the report's dates, so that no other pass
    // reads it, and the report goes on.
    void LetGo()
    {
        if (m_pipe < 0)
            return;
        constexpr std::string_view kLateList = "0A31.12.99\r\n";
        EXPECT_EQ(write(m_pipe, kLateList.data(), kLateList.size()),
                  static_cast<ssize_t>(kLateList.size()));
        close(m_pipe);
        m_pipe = -1;
    }

private:
    // A report that ended early leaves the pipe without a reader: writing to it must
    // fail, not end the test.
    void (*m_previousPipeHandler)(int);
    std::optional<ZvkProcess> m_zvk;
    int m_pipe = -1;
    bool m_held = false;
};

TEST(StopSignalsTest, AStoppedReportLeavesTheEarlierDocumentAndNoTemporaryFile)
{
    for (const StopSignal& signal : kStopSignals) {
        TempDir dir;
        const fs::path output = dir.Write("out/report.rtf", "earlier report");
        ReportHeldAtItsLastList report(dir, output);
        ASSERT_TRUE(report.Held()) << report.Zvk().Err();
        ASSERT_EQ(TemporaryFilesIn(output.parent_path()).size(), 1u);
        EXPECT_GT(SizeOr0(TemporaryFilesIn(output.parent_path()).front()), 0u)
            << "the document is half written";
        report.Zvk().Signal(signal.number);
        const std::string told = "zvk: stopping on " + std::string(signal.name) + "\n";
        // Only once the stop is under way may the report go on to its end.
        EXPECT_TRUE(report.Zvk().WaitForErr(told, kEnd));
        report.LetGo();
        EXPECT_EQ(report.Zvk().WaitFor(kEnd), signal.exitStatus);
        EXPECT_EQ(report.Zvk().Err(), told);
        EXPECT_EQ(ListFolder(output.parent_path()), "report.rtf");
        EXPECT_TRUE(ReadBytes(output) == "earlier report") << "the earlier document was replaced";
    }
}

// A handheld whose program holds a list that takes a while to receive, however fast the
// machine: each read over the slow link waits a millisecond, so the 2 MB list takes at
// least twenty seconds and a signal surely comes in the middle of its copy.
class HandheldWithALargeList
{
public:
    HandheldWithALargeList()
    {
        EXPECT_TRUE(test::Succeeded(PrepareHandheldFolder(Folder(), SampleListsFolder())));
        m_dir.Write("handheld/emulator.ini", "[Emulator]\r\nExportDelayMs=1\r\nReadDelayMs=1\r\n");
        std::string line(98, '7');
        line += "\r\n";
        constexpr int kLines = 20'000;
        m_large.reserve(line.size() * kLines);
        for (int i = 0; i < kLines; ++i)
            m_large += line;
        m_dir.Write("handheld/ZVK_CE/Data/BIG.DAT", m_large);
        test::SetEnvironment("ZVK_HANDHELD", Folder());
    }
    ~HandheldWithALargeList()
    {
        test::UnsetEnvironment("ZVK_HANDHELD");
    }

    fs::path Folder() const
    {
        return m_dir.Path() / "handheld";
    }
    const TempDir& Dir() const
    {
        return m_dir;
    }
    const std::string& Large() const
    {
        return m_large;
    }

private:
    TempDir m_dir;
    std::string m_large;
};

TEST(StopSignalsTest, AStoppedReceptionLeavesNoPartialListAndTheHandheldsListsIntact)
{
    const HandheldWithALargeList handheld;
    const fs::path to = handheld.Dir().Path() / "prijate";
    const fs::path earlier = handheld.Dir().Write("prijate/BIG.DAT", "an earlier copy");
    for (const StopSignal& signal : kStopSignals) {
        ZvkProcess zvk({"receive", "--to", to.string()}, handheld.Dir().Path(), "receive");
        const auto receivingTheLargeList = [&] {
            for (const fs::path& temporary : TemporaryFilesIn(to))
                if (temporary.filename().string().starts_with(".BIG.DAT.") &&
                    SizeOr0(temporary) > 0)
                    return true;
            return false;
        };
        ASSERT_TRUE(WaitUntil(receivingTheLargeList)) << zvk.Err();
        // Held still while the test checks that the copy is under way.
        zvk.Signal(SIGSTOP);
        ASSERT_TRUE(receivingTheLargeList()) << "the large list arrived before the signal";
        zvk.Signal(signal.number);
        zvk.Signal(SIGCONT);
        EXPECT_EQ(zvk.WaitFor(kEnd), signal.exitStatus) << zvk.Err();
        EXPECT_TRUE(TemporaryFilesIn(to).empty()) << ListFolder(to);
        EXPECT_EQ(ReadBytes(earlier), "an earlier copy");
        EXPECT_TRUE(ReadBytes(handheld.Folder() / "ZVK_CE" / "Data" / "BIG.DAT") ==
                    handheld.Large());
    }
}

// The writer of a temporary file that is still running, in a child process: it holds
// the file until the object ends.
class LiveWriter
{
public:
    explicit LiveWriter(const fs::path& target)
    {
        int ready[2];
        int hold[2];
        if (pipe(ready) != 0 || pipe(hold) != 0)
            return;
        m_child = fork();
        if (m_child == 0) {
            close(ready[0]);
            close(hold[1]);
            AtomicFileWriter writer(target);
            writer.Write("being written");
            const std::string name = writer.TemporaryPath().string();
            char end = 0;
            const bool told =
                write(ready[1], name.data(), name.size()) == static_cast<ssize_t>(name.size());
            close(ready[1]);
            _exit(told && read(hold[0], &end, 1) == 0 ? 0 : 1);
        }
        close(ready[1]);
        close(hold[0]);
        m_hold = hold[1];
        char buffer[4096];
        std::string name;
        for (ssize_t got; (got = read(ready[0], buffer, sizeof buffer)) > 0;)
            name.append(buffer, static_cast<std::size_t>(got));
        close(ready[0]);
        m_temporary = name;
    }
    ~LiveWriter()
    {
        if (m_hold >= 0)
            close(m_hold);
        if (m_child > 0)
            waitpid(m_child, nullptr, 0);
    }

    const fs::path& Temporary() const
    {
        return m_temporary;
    }

private:
    pid_t m_child = -1;
    int m_hold = -1;
    fs::path m_temporary;
};

// Stderr as the pieces that were written to it, one per write.
class PiecesWritten final : public std::streambuf
{
public:
    std::vector<std::string> pieces;

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override
    {
        pieces.emplace_back(bytes, static_cast<std::size_t>(count));
        return count;
    }
    int_type overflow(int_type byte) override
    {
        if (!traits_type::eq_int_type(byte, traits_type::eof()))
            pieces.emplace_back(1, traits_type::to_char_type(byte));
        return traits_type::not_eof(byte);
    }
};

// Runs `holds` in a child process of its own, as the stop request of a process is never
// taken back; true when it held there.
bool HoldsInAChild(const std::function<bool()>& holds)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(holds() ? 0 : 1);
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A reception writes its progress lines to stderr while the signal is told there: the
// stop line must go out in one write, or a progress line lands in its middle.
TEST(StopSignalsTest, TheStopIsToldInOneWrite)
{
    EXPECT_TRUE(HoldsInAChild([] {
        PiecesWritten err;
        std::streambuf* const previous = std::cerr.rdbuf(&err);
        bool told = false;
        {
            const StopOnSignals signals;
            // As signals come from outside: to the process, not to this thread.
            kill(getpid(), SIGINT);
            told = WaitUntil([] { return CommandStopToken().stop_requested(); });
        }
        std::cerr.rdbuf(previous);
        const std::vector<std::string> expected{"zvk: stopping on SIGINT\n"};
        return told && err.pieces == expected;
    }));
}

// The signal is taken by the watcher alone: a wait of the command's own thread runs to
// its end instead of being cut short, while the stop is still requested.
TEST(StopSignalsTest, TheCommandsOwnThreadsAreNotInterruptedBySignals)
{
    EXPECT_TRUE(HoldsInAChild([] {
        const StopOnSignals signals;
        std::jthread sender([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            kill(getpid(), SIGTERM);
        });
        timespec wait{0, 300'000'000};
        const bool waitedToTheEnd = nanosleep(&wait, &wait) == 0;
        return waitedToTheEnd && WaitUntil([] { return CommandStopToken().stop_requested(); });
    }));
}

TEST(StopSignalsTest, AKilledWritersTemporaryFileIsRemovedByTheNextRunAndALiveOneStays)
{
    TempDir dir;
    const fs::path out = dir.Path() / "out";
    fs::create_directories(out);
    const LiveWriter live(out / "LIST01.csv");
    ASSERT_TRUE(fs::exists(live.Temporary())) << live.Temporary();

    fs::path killed;
    {
        ReportHeldAtItsLastList report(dir, out / "report.rtf");
        ASSERT_TRUE(report.Held()) << report.Zvk().Err();
        report.Zvk().Kill();
        for (const fs::path& temporary : TemporaryFilesIn(out))
            if (temporary != live.Temporary())
                killed = temporary;
    }
    ASSERT_FALSE(killed.empty()) << "a killed report leaves its temporary file";

    ZvkProcess next({"note", TestData("reports/note/NOTE.DAT").string(), "--config",
                     TestData("reports/ZVK.INI").string(), "--output", (out / "note.rtf").string()},
                    dir.Path(), "note");
    EXPECT_EQ(next.WaitFor(kEnd), 0) << next.Err();
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(live.Temporary()));
    EXPECT_TRUE(fs::exists(out / "note.rtf"));
}

} // namespace
} // namespace zvk::cli
