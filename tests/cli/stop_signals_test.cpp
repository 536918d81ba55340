#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
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
#include "files/atomic_file.h"
#include "support/large_list_handheld.h"
#include "support/temp_dir.h"
#include "zvk_process.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

using test::LargeListHandheld;
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
constexpr StopSignal kStopSignals[] = {
    {SIGINT, "SIGINT", 130}, {SIGTERM, "SIGTERM", 143}, {SIGHUP, "SIGHUP", 129}};

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

// A report over many lists, held still (SIGSTOP) while its document is half written, so
// that a signal surely comes in the middle. The lists are links to one sample list: many
// of them, so that the report takes long enough, however fast the machine, for the test
// to see its document begun and hold it.
class ReportHeldInTheMiddle
{
public:
    ReportHeldInTheMiddle(const TempDir& dir, const fs::path& output)
    {
        const fs::path lists = dir.Path() / "lists";
        fs::create_directories(lists);
        const fs::path sample = lists / "L0.DAT";
        fs::copy_file(kSamples / "LIST0001.DAT", sample);
        for (int number = 1; number <= 40'000; ++number)
            fs::create_hard_link(sample, lists / ("L" + std::to_string(number) + ".DAT"));
        m_zvk.emplace(Arguments{"report", "--folder", lists.string(), "--config",
                                kSampleConfig.string(), "--from", "01.01.2000", "--to",
                                "31.12.2098", "--output", output.string()},
                      dir.Path(), "report");
        const auto halfWritten = [&] {
            for (const fs::path& temporary : TemporaryFilesIn(output.parent_path()))
                if (SizeOr0(temporary) > 0)
                    return true;
            return false;
        };
        if (!WaitUntil(halfWritten))
            return;
        m_zvk->Signal(SIGSTOP);
        m_held = halfWritten();
    }

    // Held still with its document half written.
    bool Held() const
    {
        return m_held;
    }
    ZvkProcess& Zvk()
    {
        return *m_zvk;
    }
    void LetGo()
    {
        m_zvk->Signal(SIGCONT);
    }

private:
    std::optional<ZvkProcess> m_zvk;
    bool m_held = false;
};

TEST(StopSignalsTest, AStoppedReportLeavesTheEarlierDocumentAndNoTemporaryFile)
{
    for (const StopSignal& signal : kStopSignals) {
        TempDir dir;
        const fs::path output = dir.Write("out/report.rtf", "earlier report");
        ReportHeldInTheMiddle report(dir, output);
        ASSERT_TRUE(report.Held()) << report.Zvk().Err();
        ASSERT_EQ(TemporaryFilesIn(output.parent_path()).size(), 1u);
        report.Zvk().Signal(signal.number);
        report.LetGo();
        EXPECT_EQ(report.Zvk().WaitFor(kEnd), signal.exitStatus);
        EXPECT_EQ(report.Zvk().Err(), "zvk: stopping on " + std::string(signal.name) + "\n");
        EXPECT_EQ(ListFolder(output.parent_path()), "report.rtf");
        EXPECT_TRUE(ReadBytes(output) == "earlier report") << "the earlier document was replaced";
    }
}

TEST(StopSignalsTest, AStoppedReceptionLeavesNoPartialListAndTheHandheldsListsIntact)
{
    const LargeListHandheld handheld;
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

// A pipe, or any file that is no regular file, is never opened as a list, a text or a
// configuration: an open would wait for a writer for ever. It is named at once; one given
// as --config is refused as the wrong kind of file, as a missing one is.
TEST(StopSignalsTest, APipeIsRefusedAtOnceWhereAFileBelongs)
{
    TempDir dir;
    const fs::path pipe = dir.Path() / "P.DAT";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const fs::path textPipe = dir.Path() / "T.txt";
    ASSERT_EQ(mkfifo(textPipe.c_str(), 0600), 0);
    const fs::path list = dir.Write("A.DAT", ReadBytes(kSamples / "LIST0001.DAT"));
    const std::string note = (dir.Path() / "note.rtf").string();
    const std::string notRegular = " is not a regular file";
    struct Case
    {
        Arguments command;
        std::string told;
    };
    const std::vector<Case> cases = {
        {{"convert", pipe.string()}, pipe.string() + notRegular},
        {{"note", pipe.string(), "--config", kSampleConfig.string(), "--output", note},
         pipe.string() + notRegular},
        {{"note", list.string(), "--config", pipe.string(), "--output", note},
         "--config " + pipe.string() + notRegular},
        {{"import", textPipe.string()}, textPipe.string() + notRegular},
        {{"send-list", pipe.string()}, pipe.string() + notRegular},
        {{"report", "--folder", dir.Path().string(), "--config", kSampleConfig.string(), "--from",
          "01.01.2000", "--to", "31.12.2098", "--output", note},
         pipe.string() + notRegular}};
    const LargeListHandheld handheld; // for send-list
    for (const Case& test : cases) {
        SCOPED_TRACE(test.command.front() + " " + test.command[1]);
        ZvkProcess zvk(test.command, dir.Path(), "pipe");
        const std::optional<int> status = zvk.WaitFor(kEnd);
        ASSERT_TRUE(status.has_value()) << "held by the pipe";
        EXPECT_NE(zvk.Err().find(test.told), std::string::npos) << zvk.Err();
        EXPECT_NE(*status, 0) << zvk.Err();
    }
}

// zvk's exit status, and what it told, when its standard output is a pipe that nobody
// reads any more (zvk ... | head), as a shell starts it: with SIGPIPE as the system has it.
std::pair<int, std::string> RunIntoAClosedPipe(const Arguments& arguments, const TempDir& dir)
{
    int ends[2];
    if (pipe(ends) != 0)
        return {-1, "no pipe"};
    close(ends[0]);
    const fs::path err = dir.Path() / "closed-pipe.err";
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        dup2(ends[1], 1);
        const int errFile = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(errFile, 2);
        std::vector<char*> argv{const_cast<char*>(ZVK_CLI_PATH)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(ends[1]);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), ReadBytes(err)};
}

TEST(StopSignalsTest, AClosedOutputEndsTheCommandWithItsFilesWholeAndNonZero)
{
    TempDir dir;
    const fs::path list = dir.Write("LIST0001.DAT", ReadBytes(kSamples / "LIST0001.DAT"));
    const auto [status, told] = RunIntoAClosedPipe({"convert", list.string()}, dir);
    EXPECT_EQ(status, kFailure);
    EXPECT_EQ(told, "zvk: the standard output was closed: not everything written reached it\n");
    EXPECT_EQ(ReadBytes(dir.Path() / "LIST0001.csv"), ReadBytes(TestData("lists/LIST0001.csv")));
    EXPECT_TRUE(TemporaryFilesIn(dir.Path()).empty());
}

// A command held where no stop request reaches it (here a read from a handheld whose link
// takes ten minutes a piece, which no stop shortens) ends at once on a second signal, with
// the status of the first, and leaves no list half written.
TEST(StopSignalsTest, ASecondSignalEndsAHeldCommandAtOnce)
{
    const LargeListHandheld handheld;
    handheld.Dir().Write("handheld/emulator.ini", "[Emulator]\r\nReadDelayMs=600000\r\n");
    const fs::path to = handheld.Dir().Path() / "prijate";
    ZvkProcess zvk({"receive", "--to", to.string()}, handheld.Dir().Path(), "receive");
    ASSERT_TRUE(WaitUntil([&] { return !TemporaryFilesIn(to).empty(); })) << zvk.Err();
    // The first read follows its list's file at once, and then waits.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    zvk.Signal(SIGTERM);
    ASSERT_TRUE(zvk.WaitForErr("zvk: stopping on SIGTERM\n", kEnd)) << zvk.Err();
    EXPECT_FALSE(zvk.WaitFor(std::chrono::milliseconds(200)).has_value()) << "it was not held";
    zvk.Signal(SIGINT);
    EXPECT_EQ(zvk.WaitFor(kEnd), 143);
    EXPECT_TRUE(zvk.Err().ends_with("zvk: stopping on SIGTERM\nzvk: stopped at once on a second "
                                    "signal; files being written were removed\n"))
        << zvk.Err();
    EXPECT_TRUE(TemporaryFilesIn(to).empty()) << ListFolder(to);
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
            told = WaitUntil([&] { return signals.StopToken().stop_requested(); });
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
        return waitedToTheEnd && WaitUntil([&] { return signals.StopToken().stop_requested(); });
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
        ReportHeldInTheMiddle report(dir, out / "report.rtf");
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
