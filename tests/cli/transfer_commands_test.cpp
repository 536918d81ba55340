#include <chrono>
#include <sstream>
#include <thread>

#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "cli_run.h"
#include "device/handheld_selection.h"
#include "support/environment.h"
#include "support/small_disk.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "text/path_text.h"
#include "zvk_process.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::TempDir;
using namespace std::chrono_literals;

constexpr std::string_view kBusy = "zvk: the handheld is busy with another transfer\n";

// An emulated handheld with the sample lists, chosen through ZVK_HANDHELD for as long
// as the object lives.
class EmulatedHandheld
{
public:
    explicit EmulatedHandheld(std::string_view settings = "")
    {
        EXPECT_TRUE(
            test::Succeeded(PrepareHandheldFolder(Folder(), SampleListsFolder(ZVK_SAMPLE_DIR))));
        m_dir.Write("handheld/emulator.ini",
                    "[Emulator]\r\nExportDelayMs=1\r\n" + std::string(settings));
        test::SetEnvironment("ZVK_HANDHELD", Folder());
    }
    ~EmulatedHandheld()
    {
        test::UnsetEnvironment("ZVK_HANDHELD");
    }

    fs::path Folder() const
    {
        return m_dir.Path() / "handheld";
    }
    // The handheld program's own lists.
    fs::path Lists() const
    {
        return Folder() / "ZVK_CE" / "Data";
    }
    const TempDir& Dir() const
    {
        return m_dir;
    }

private:
    TempDir m_dir;
};

const char* const kSamples = "LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT";

// The real executable, as a script runs it: the handheld from the environment, and a
// receive folder that does not exist yet.
TEST(TransferCommandsTest, ReceiveBringsTheListsOverByteForByteWithTheirText)
{
    const EmulatedHandheld handheld;
    const fs::path to = handheld.Dir().Path() / "prijate" / "2026";
    ZvkProcess zvk({"receive", "--to", PathText(to), "--convert"}, handheld.Dir().Path(),
                   "receive");
    EXPECT_EQ(zvk.WaitFor(60s), kSuccess) << zvk.Err();
    EXPECT_EQ(zvk.Out(), "Príjem bol úspešne ukončený.\n");
    EXPECT_EQ(zvk.Err().rfind("Stav: Vytváranie súborov...\nStav: Príjem dát...\n", 0), 0u);
    for (const char* name : {"LIST0001", "LIST0002", "LIST0003", "STARY001"}) {
        EXPECT_EQ(ReadBytes(to / (std::string(name) + ".DAT")),
                  ReadBytes(fs::path(ZVK_SAMPLE_DIR) / (std::string(name) + ".DAT")));
        EXPECT_EQ(ReadBytes(to / (std::string(name) + ".csv")),
                  ReadBytes(test::TestData("lists/" + std::string(name) + ".csv")));
    }
    EXPECT_EQ(ListFolder(handheld.Folder()), "ZVK_CE emulator.ini");
    EXPECT_EQ(ListFolder(handheld.Folder() / "ZVK_CE" / "Data"), "");
}

// The journal a reception wrote: printed a line per list, and each list verified against
// it, "unchanged" alone ending with 0; a damaged line is named and skipped.
TEST(TransferCommandsTest, TheJournalNamesEveryListAndVerifiesIt)
{
    const EmulatedHandheld handheld;
    const fs::path to = handheld.Dir().Path() / "prijate";
    ASSERT_EQ(Zvk({"receive", "--to", to.string()}).status, kSuccess);
    const CliRun listed = Zvk({"journal", "--folder", to.string()});
    EXPECT_EQ(listed.status, kSuccess) << listed.err;
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 4);
    EXPECT_NE(listed.out.find("\tLIST0001.DAT\tLIST0001.DAT\t"), std::string::npos) << listed.out;
    const CliRun unchanged = Zvk({"journal", "--folder", to.string(), "--verify"});
    EXPECT_EQ(unchanged.status, kSuccess);
    EXPECT_EQ(unchanged.out, "LIST0001.DAT: unchanged\nLIST0002.DAT: unchanged\n"
                             "LIST0003.DAT: unchanged\nSTARY001.DAT: unchanged\n");

    std::ofstream(to / "LIST0001.DAT", std::ios::app) << "a line added";
    fs::remove(to / "LIST0002.DAT");
    std::ofstream(to / "prijmy.log", std::ios::app) << "not a line of the journal\n";
    const CliRun verified = Zvk({"journal", "--folder", to.string(), "--verify"});
    EXPECT_EQ(verified.status, kFailure);
    EXPECT_EQ(verified.out, "LIST0001.DAT: changed since its reception\nLIST0002.DAT: missing\n"
                            "LIST0003.DAT: unchanged\nSTARY001.DAT: unchanged\n");
    EXPECT_EQ(verified.err,
              "zvk: line 6 of " + (to / "prijmy.log").string() + " is damaged and was skipped\n");
}

TEST(TransferCommandsTest, AbsentHandheldOrListsNotReceivedEndNonZero)
{
    {
        const EmulatedHandheld absent("Connected=0\r\n");
        const CliRun run = Zvk({"receive", "--to", absent.Dir().Path().string()});
        EXPECT_EQ(run.status, kFailure);
        EXPECT_EQ(run.err, "Pozor! Pripojte počítač pomocou Microsoft ActiveSync a znova spustite "
                           "prenosový program!\n");
    }
    // A receive folder that cannot be made: a file stands where its parent would be.
    const EmulatedHandheld handheld;
    const fs::path to = handheld.Dir().Write("subor", "") / "prijate";
    const CliRun run = Zvk({"receive", "--to", to.string()});
    EXPECT_EQ(run.status, kFailure);
    // Said once, not once for every list.
    EXPECT_NE(run.err.find("zvk: cannot create folder " + to.string() +
                           ": Not a directory\nChyba! *** Priečinok príjmu sa nedá vytvoriť ***\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ListFolder(handheld.Lists()), kSamples);
}

// The list stays on the handheld, named in the tool's words, and the tool fails.
TEST(TransferCommandsTest, AListNamedAsAWindowsDeviceIsNamedAndTheExitIsNonZero)
{
    const EmulatedHandheld handheld;
    handheld.Dir().Write("handheld/ZVK_CE/Data/aux.dat", "aux");
    const fs::path to = handheld.Dir().Path() / "prijate";
    const CliRun run = Zvk({"receive", "--to", to.string()});
    EXPECT_EQ(run.status, kFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("zvk: aux.dat stays on the handheld: its name is a device name on "
                           "Windows (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, with any "
                           "extension)\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ListFolder(to), kSamples);
    EXPECT_EQ(ListFolder(handheld.Lists()), "aux.dat");
}

// A disk with room for the list alone: its text is named, and so is the journal, which
// cannot name the list either, so the list stays on the handheld too.
TEST(TransferCommandsTest, SemicolonTextThatRunsOutOfSpaceIsNamedAndTheListStaysReceived)
{
    const test::SmallDisk disk(4096); // room for the list, none for its text or the journal
    if (!disk.Mounted())
        GTEST_SKIP() << disk.WhyNot();
    const EmulatedHandheld handheld;
    for (const char* other : {"LIST0002.DAT", "LIST0003.DAT", "STARY001.DAT"})
        fs::remove(handheld.Lists() / other);
    const CliRun run = Zvk({"receive", "--to", disk.Path().string(), "--convert"});
    EXPECT_EQ(run.status, kFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("zvk: LIST0001.DAT was received, but its semicolon text was not "
                           "written: cannot write " +
                           (disk.Path() / "LIST0001.csv").string() + ": No space left on device\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("zvk: LIST0001.DAT was received, but stays on the handheld too: "
                           "cannot write " +
                           (disk.Path() / "prijmy.log").string() + ": No space left on device\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ListFolder(disk.Path()), "LIST0001.DAT");
    EXPECT_EQ(ReadBytes(disk.Path() / "LIST0001.DAT"),
              ReadBytes(fs::path(ZVK_SAMPLE_DIR) / "LIST0001.DAT"));
    EXPECT_EQ(ListFolder(handheld.Lists()), "LIST0001.DAT");
}

TEST(TransferCommandsTest, ExportThatNeverEndsIsGivenUpAfterTheWaitAndNothingIsTaken)
{
    const EmulatedHandheld handheld("ExportMarker=0\r\n");
    const fs::path to = handheld.Dir().Path() / "prijate";
    const CliRun run = Zvk({"receive", "--to", to.string(), "--wait", "4"});
    EXPECT_EQ(run.status, kFailure);
    EXPECT_EQ(run.err, "Stav: Vytváranie súborov...\n"
                       "zvk: waiting for the handheld to finish exporting its lists (giving up "
                       "after 4 s, see --wait)\n"
                       "zvk: the handheld did not finish exporting its lists within 4 s; nothing "
                       "was received or deleted\n");
    EXPECT_FALSE(fs::exists(to));
    EXPECT_EQ(ListFolder(handheld.Lists()), kSamples);

    // A wait that ends at or before the third second gives up without the notice.
    for (const char* seconds : {"1", "3"}) {
        const CliRun brief = Zvk({"receive", "--to", to.string(), "--wait", seconds});
        EXPECT_EQ(brief.status, kFailure) << seconds;
        EXPECT_EQ(brief.err, std::string("Stav: Vytváranie súborov...\n"
                                         "zvk: the handheld did not finish exporting its lists "
                                         "within ") +
                                 seconds + " s; nothing was received or deleted\n");
    }
}

TEST(TransferCommandsTest, EmptyHandheldIsANoticeAndNoFailure)
{
    const EmulatedHandheld handheld;
    fs::remove_all(handheld.Lists());
    const CliRun run = Zvk({"receive", "--to", (handheld.Dir().Path() / "prijate").string()});
    EXPECT_EQ(run.status, kSuccess);
    EXPECT_EQ(run.out, "*** Neexistujú žiadne zoznamy ***\n");
    EXPECT_EQ(run.err.find("Chyba!"), std::string::npos) << run.err;
}

TEST(TransferCommandsTest, SendConfigAndSendListReachTheHandheldProgram)
{
    const EmulatedHandheld handheld;
    const fs::path configuration = handheld.Dir().Write("nastavenia/ZVK.INI", "[Firma]\r\n");
    const CliRun config = Zvk({"send-config", configuration.string()});
    EXPECT_EQ(config.status, kSuccess) << config.err;
    EXPECT_EQ(config.out, "Prenos bol úspešne ukončený.\n");
    EXPECT_EQ(ReadBytes(handheld.Folder() / "ZVK_CE" / "ZVK.INI"), "[Firma]\r\n");

    const fs::path list = handheld.Dir().Write("Zoznam č. 7.dat", "AD\r\n");
    EXPECT_EQ(Zvk({"send-list", PathText(list)}).status, kSuccess);
    // The handheld program has taken the list into its own.
    EXPECT_EQ(ReadBytes(handheld.Lists() / PathFromText("Zoznam č. 7.dat")), "AD\r\n");

    const fs::path upper = handheld.Dir().Write("LIST0009.DAT", "AD\r\n");
    EXPECT_EQ(Zvk({"send-list", upper.string()}).status, kSuccess);
    EXPECT_TRUE(fs::exists(handheld.Folder() / "ZVK_CE" / "Data" / "LIST0009.DAT"));

    const CliRun missing = Zvk({"send-config", (handheld.Dir().Path() / "NONE.INI").string()});
    EXPECT_EQ(missing.status, kFailure);
    EXPECT_NE(missing.err.find("\nChyba! *** Konfiguračný súbor chýba! ***\n"), std::string::npos);
}

// A name in the handheld's code page, as an older desktop left it, is read in it.
TEST(TransferCommandsTest, SendListReadsANameInTheHandheldsCodePage)
{
    const EmulatedHandheld handheld;
    const fs::path codePage = handheld.Dir().Write("lat\xE8in.DAT", "AD 1250\r\n");
    const CliRun sent = Zvk({"send-list", codePage.string()});
    EXPECT_EQ(sent.status, kSuccess) << sent.err;
    EXPECT_EQ(ReadBytes(handheld.Lists() / "latčin.DAT"), "AD 1250\r\n");
}

// The handheld hands back only *.dat lists: anything else sent would stay there for ever.
TEST(TransferCommandsTest, SendListRefusesFilesThatAreNoDataLists)
{
    const EmulatedHandheld handheld;
    for (const char* name : {"poznamky.txt", "LIST0001.DAT.bak", "LIST0001", "datovy.xdat"}) {
        const fs::path file = handheld.Dir().Write(name, "AD\r\n");
        const CliRun run = Zvk({"send-list", file.string()});
        EXPECT_EQ(run.status, kUsageError) << name;
        EXPECT_EQ(run.err,
                  "zvk: " + std::string(name) +
                      " is not a data list (*.dat): the handheld would never hand it back\n");
        EXPECT_FALSE(fs::exists(handheld.Folder() / "ZVK_CE" / "Import" / name));
    }
    EXPECT_EQ(ListFolder(handheld.Folder() / "ZVK_CE" / "Data"),
              "LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT");
}

TEST(TransferCommandsTest, MisuseIsAUsageError)
{
    EXPECT_EQ(Zvk({"receive", "--bogus"}).status, kUsageError);
    for (const Arguments& arguments :
         {Arguments{"receive", "--to"}, Arguments{"receive", "--to", "--convert"}}) {
        const CliRun run = Zvk(arguments);
        EXPECT_EQ(run.status, kUsageError);
        EXPECT_EQ(run.err, "zvk: option --to needs a folder (see 'zvk receive --help')\n");
    }
    for (const char* seconds : {"", "0", "-5", "10s", "ten"}) {
        const CliRun run = Zvk({"receive", "--wait", seconds});
        EXPECT_EQ(run.status, kUsageError) << seconds;
        EXPECT_EQ(run.err,
                  "zvk: option --wait needs a number of seconds (see 'zvk receive --help')\n");
    }
    EXPECT_EQ(Zvk({"receive", "--wait"}).status, kUsageError);
    EXPECT_EQ(Zvk({"send-config"}).status, kUsageError);
    EXPECT_EQ(Zvk({"send-list", "a.dat", "b.dat"}).status, kUsageError);
    const CliRun help = Zvk({"--help"});
    for (const char* command : {"receive", "send-config", "send-list"}) {
        EXPECT_NE(help.out.find(command), std::string::npos);
        EXPECT_EQ(Zvk({command, "--help"}).out.rfind(std::string("usage: zvk ") + command, 0), 0u);
    }
}

// Two receptions started at once over one handheld, as two terminals or scripts start
// them: one has the handheld, the other is refused at once and receives nothing.
TEST(TransferCommandsTest, SecondTransferAtOnceIsRefusedAndNothingArrivesTwice)
{
    const EmulatedHandheld handheld;
    handheld.Dir().Write("handheld/emulator.ini", "[Emulator]\r\nExportDelayMs=3000\r\n");
    handheld.Dir().Write("handheld/ZVK_CE/Data/VELKY001.DAT", std::string(4 << 20, 'x'));
    std::vector<fs::path> folders;
    std::vector<std::unique_ptr<ZvkProcess>> runs;
    for (const char* name : {"prva", "druha"}) {
        folders.push_back(handheld.Dir().Path() / name);
        fs::create_directories(folders.back());
        runs.push_back(std::make_unique<ZvkProcess>(
            Arguments{"receive", "--to", folders.back().string()}, handheld.Dir().Path(), name));
    }
    // Both are watched together, so that each one's end is seen when it comes: the
    // refused one must not seem to run as long as the other.
    const auto allEnded = [&] {
        bool ended = true;
        for (const auto& run : runs)
            ended = run->WaitFor(0ms).has_value() && ended;
        return ended;
    };
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!allEnded() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    std::vector<int> statuses;
    for (const auto& run : runs) {
        const std::optional<int> status = run->WaitFor(0ms);
        ASSERT_TRUE(status.has_value()) << "still running: " << run->Err();
        statuses.push_back(*status);
    }
    const std::size_t winner = statuses[0] == kSuccess ? 0 : 1;
    const std::size_t loser = 1 - winner;
    EXPECT_EQ(statuses[winner], kSuccess) << runs[winner]->Err();
    EXPECT_EQ(statuses[loser], kFailure);
    EXPECT_EQ(runs[loser]->Err(), kBusy);
    EXPECT_LT(runs[loser]->RunTime(), 1500ms);
    EXPECT_EQ(ListFolder(folders[winner]),
              "LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT VELKY001.DAT");
    EXPECT_EQ(ListFolder(folders[loser]), "");
    EXPECT_EQ(ListFolder(handheld.Folder() / "ZVK_CE" / "Data"), "");
}

// The claim dies with its process, however it ends.
TEST(TransferCommandsTest, HandheldOfAKilledTransferIsFreeAgain)
{
    const EmulatedHandheld handheld;
    handheld.Dir().Write("handheld/emulator.ini",
                         "[Emulator]\r\nExportDelayMs=1\r\nExportMarker=0\r\n");
    const fs::path to = handheld.Dir().Path() / "prijate";
    fs::create_directories(to);
    ZvkProcess stuck({"receive", "--to", to.string()}, handheld.Dir().Path(), "stuck");
    ASSERT_TRUE(stuck.WaitForErr("Stav: Vytváranie súborov...\n", 10s)) << stuck.Err();
    ZvkProcess refused({"receive", "--to", to.string()}, handheld.Dir().Path(), "refused");
    EXPECT_EQ(refused.WaitFor(10s), kFailure);
    EXPECT_EQ(refused.Err(), kBusy);
    refused.Kill();

    stuck.Kill();
    handheld.Dir().Write("handheld/emulator.ini", "[Emulator]\r\nExportDelayMs=1\r\n");
    const CliRun run = Zvk({"receive", "--to", to.string()});
    EXPECT_EQ(run.status, kSuccess) << run.err;
    EXPECT_EQ(ListFolder(to), "LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT");
}

} // namespace
} // namespace zvk::cli
