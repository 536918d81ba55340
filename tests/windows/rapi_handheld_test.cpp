// zvk.exe with a handheld reached through rapi.dll: the stand-in dll of tests/windows
// plays the handheld over a folder, and zvk.exe finds it beside itself, as it finds the
// real one of the device connection software.

#include <fstream>
#include <optional>

#include <gtest/gtest.h>

#include "cli/zvk_process.h"
#include "device/handheld_selection.h"
#include "support/environment.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "system/settings_path_text.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk::test {
namespace {

using cli::ZvkProcess;
using namespace std::chrono_literals;

// What a zvk.exe run left, with Windows' line ends ("\r\n") read as "\n".
struct ZvkRun
{
    std::optional<int> status;
    std::string out;
    std::string err;
    std::chrono::steady_clock::duration took{};
};

ZvkRun Ended(ZvkProcess& process)
{
    ZvkRun run{process.WaitFor(120s), {}, {}, {}};
    EXPECT_TRUE(run.status.has_value()) << "zvk.exe still runs after two minutes";
    process.Kill();
    run.took = process.RunTime();
    run.out = process.Out();
    run.err = process.Err();
    return run;
}

const char* const kSamples = "LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT";
const std::vector<std::string> kSampleNames = {"LIST0001", "LIST0002", "LIST0003", "STARY001"};

// zvk.exe installed in a folder of its own, with or without the stand-in rapi.dll beside
// it, run in a working folder of its own; the stand-in plays the handheld in handheld/
// with the sample lists, and notes every list deleted there in deletions.txt. The
// desktop's temporary folder, where zvk keeps the lock of the connected handheld, is its
// own too: the tests of other processes run meanwhile on desktops of their own.
class Desktop
{
public:
    enum class Dll
    {
        BesideTheProgram,
        InTheWorkingFolder,
        Missing,
    };

    explicit Desktop(std::string_view emulatorSettings = "", Dll dll = Dll::BesideTheProgram)
        : m_handheld("ZVK_STAND_IN_HANDHELD", Handheld()),
          m_desktop("ZVK_STAND_IN_DESKTOP", Received()),
          m_deletions("ZVK_STAND_IN_DELETIONS", Deletions()), m_noEmulator("ZVK_HANDHELD", {}),
          m_temporary("TMP", m_dir.Path())
    {
        fs::create_directories(Program().parent_path());
        fs::create_directories(Work());
        fs::copy_file(fs::absolute(ZVK_CLI_PATH), Program());
        if (dll != Dll::Missing) {
            const fs::path folder = dll == Dll::BesideTheProgram ? Program().parent_path() : Work();
            fs::copy_file(fs::absolute(ZVK_STAND_IN_RAPI), folder / "rapi.dll");
        }
        EXPECT_TRUE(
            Succeeded(PrepareHandheldFolder(Handheld(), SampleListsFolder(ZVK_SAMPLE_DIR))));
        m_dir.Write("handheld/emulator.ini",
                    "[Emulator]\r\nExportDelayMs=1\r\n" + std::string(emulatorSettings));
    }

    ZvkRun Zvk(const cli::Arguments& arguments) const
    {
        ZvkProcess process = Start(arguments, "zvk");
        return Ended(process);
    }
    ZvkProcess Start(const cli::Arguments& arguments, const std::string& name) const
    {
        return ZvkProcess(arguments, m_dir.Path(), name, {Program(), Work()});
    }

    fs::path Program() const
    {
        return m_dir.Path() / "Program Files" / "ZVK PC" / "zvk.exe";
    }
    fs::path Work() const
    {
        return m_dir.Path() / "práca";
    }
    fs::path Handheld() const
    {
        return m_dir.Path() / "handheld";
    }
    // The handheld program's own lists.
    fs::path Lists() const
    {
        return Handheld() / "ZVK_CE" / "Data";
    }
    fs::path Received() const
    {
        return Work() / "prijaté";
    }
    fs::path Deletions() const
    {
        return m_dir.Path() / "deletions.txt";
    }
    const TempDir& Dir() const
    {
        return m_dir;
    }

private:
    TempDir m_dir;
    ScopedEnvironment m_handheld;
    ScopedEnvironment m_desktop;
    ScopedEnvironment m_deletions;
    ScopedEnvironment m_noEmulator;
    ScopedEnvironment m_temporary;
};

std::string Sample(const std::string& name)
{
    return ReadBytes(fs::path(ZVK_SAMPLE_DIR) / (name + ".DAT"));
}

TEST(RapiHandheldTest, ReceptionBringsTheListsOverByteForByteAndDeletesOnlyWholeCopies)
{
    const Desktop desktop;
    const ZvkRun run = desktop.Zvk({"receive", "--to", PathText(desktop.Received()), "--convert"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Príjem bol úspešne ukončený.\n");
    EXPECT_EQ(run.err.rfind("Stav: Vytváranie súborov...\nStav: Príjem dát...\n", 0), 0u)
        << run.err;
    for (const std::string& name : kSampleNames) {
        EXPECT_EQ(ReadBytes(desktop.Received() / (name + ".DAT")), Sample(name));
        EXPECT_EQ(ReadBytes(desktop.Received() / (name + ".csv")),
                  ReadBytes(TestData("lists/" + name + ".csv")));
    }
    // Each list went on the handheld only once its desktop copy held all of its bytes.
    EXPECT_EQ(ReadBytes(desktop.Deletions()), "LIST0001.DAT complete\nLIST0002.DAT complete\n"
                                              "LIST0003.DAT complete\nSTARY001.DAT complete\n");
    EXPECT_EQ(ListFolder(desktop.Handheld()), "ZVK_CE emulator.ini");
    EXPECT_EQ(ListFolder(desktop.Lists()), "");
}

// The stand-in's link is as slow as emulator.ini says and counts its calls: a list of
// 100 KB comes over it in seven pieces and the empty read at its end, opened only once.
TEST(RapiHandheldTest, AListOf100KBTakesAtMostEightReadsOverTheLink)
{
    const Desktop desktop("CallDelayMs=1\r\nBandwidthBytesPerSecond=1000000\r\n");
    const fs::path calls = desktop.Dir().Path() / "calls.txt";
    const ScopedEnvironment counted("ZVK_STAND_IN_CALLS", calls);
    fs::remove_all(desktop.Lists());
    std::string list;
    while (list.size() < 102'400)
        list += Sample("LIST0001");
    list.resize(102'400);
    desktop.Dir().Write("handheld/ZVK_CE/Data/DENNY.DAT", list);
    const ZvkRun run = desktop.Zvk({"receive", "--to", PathText(desktop.Received())});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(desktop.Received() / "DENNY.DAT"), list);
    const std::string counts = ReadBytes(calls);
    const std::size_t reads = counts.find("CeReadFile ");
    ASSERT_NE(reads, std::string::npos) << counts;
    EXPECT_LE(std::stoi(counts.substr(reads + 11)), 8) << counts;
    EXPECT_NE(counts.find("CeCreateFile 1\n"), std::string::npos) << counts;
    EXPECT_NE(counts.find("CeGetFileSize 0\n"), std::string::npos) << counts;
}

TEST(RapiHandheldTest, ReadFailureInTheMiddleOfAListLeavesEveryListOnTheHandheld)
{
    const Desktop desktop("FailReadAfterBytes=150\r\n");
    const ZvkRun run = desktop.Zvk({"receive", "--to", PathText(desktop.Received())});
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(run.out, "");
    for (const std::string& name : kSampleNames)
        EXPECT_NE(run.err.find("zvk: " + name +
                               ".DAT stays on the handheld: reading it from the handheld failed "
                               "(handheld error 30)\n"),
                  std::string::npos)
            << run.err;
    // No list, whole or half, and no temporary file is left on the desktop.
    EXPECT_EQ(ListFolder(desktop.Received()), "");
    EXPECT_FALSE(fs::exists(desktop.Deletions()));
    EXPECT_EQ(ListFolder(desktop.Lists()), kSamples);
}

TEST(RapiHandheldTest, ConfigurationAndListArriveWholeAndReachTheHandheldProgram)
{
    const Desktop desktop;
    const std::string configuration = "[Firma]\r\nNazov=Píla \xE8\x61\x63\r\n";
    const fs::path ini = desktop.Dir().Write("nastavenia/ZVK.INI", configuration);
    const ZvkRun config = desktop.Zvk({"send-config", PathText(ini)});
    EXPECT_EQ(config.status, 0) << config.err;
    EXPECT_EQ(config.out, "Prenos bol úspešne ukončený.\n");
    EXPECT_EQ(ReadBytes(desktop.Handheld() / "ZVK_CE" / "ZVK.INI"), configuration);

    const std::string list = Sample("LIST0002");
    const fs::path sent = desktop.Dir().Write("Zoznam č. 7.dat", list);
    const ZvkRun listRun = desktop.Zvk({"send-list", PathText(sent)});
    EXPECT_EQ(listRun.status, 0) << listRun.err;
    EXPECT_EQ(listRun.out, "Prenos bol úspešne ukončený.\n");
    // The handheld program has taken the list from its import folder into its own.
    EXPECT_EQ(ReadBytes(desktop.Lists() / u8"Zoznam č. 7.dat"), list);
    EXPECT_EQ(ListFolder(desktop.Handheld() / "ZVK_CE" / "Import"), "");
}

TEST(RapiHandheldTest, HandheldThatNeverAnswersIsGivenUpByTheWatchdog)
{
    const Desktop desktop("ConnectDelayMs=600000\r\n");
    const ZvkRun run = desktop.Zvk({"receive", "--to", PathText(desktop.Received())});
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(run.err, "Pozor! Pripojte počítač pomocou Microsoft ActiveSync a znova spustite "
                       "prenosový program!\n");
    // The watchdog's second, not the handheld's ten minutes.
    EXPECT_LT(run.took, 30s);
    EXPECT_FALSE(fs::exists(desktop.Received()));
    EXPECT_EQ(ListFolder(desktop.Lists()), kSamples);
}

TEST(RapiHandheldTest, SecondTransferAtOnceIsRefused)
{
    const Desktop desktop("ReadDelayMs=100\r\n");
    ZvkProcess first = desktop.Start({"receive", "--to", PathText(desktop.Received())}, "first");
    // The first holds the handheld from before its connection until its lists are in.
    ASSERT_TRUE(first.WaitForErr("Stav: Vytváranie súborov...", 60s));
    const ZvkRun second = desktop.Zvk({"receive", "--to", PathText(desktop.Work() / "druhý")});
    const ZvkRun firstRun = Ended(first);
    EXPECT_EQ(firstRun.status, 0) << firstRun.err;
    EXPECT_NE(second.status, 0);
    EXPECT_EQ(second.err, "zvk: the handheld is busy with another transfer\n");
    EXPECT_FALSE(fs::exists(desktop.Work() / "druhý"));
    EXPECT_EQ(ListFolder(desktop.Received()), kSamples);
}

// Without the device connection software zvk reaches the handheld over its own network
// link; where this computer has none (no handheld in its cradle), the watchdog says so as
// it says it of an absent handheld.
TEST(RapiHandheldTest, WithoutRapiDllBesideItZvkTakesItsOwnNetworkLink)
{
    for (const Desktop::Dll dll : {Desktop::Dll::Missing, Desktop::Dll::InTheWorkingFolder}) {
        const Desktop desktop("", dll);
        const ZvkRun run = desktop.Zvk({"receive", "--to", PathText(desktop.Received())});
        EXPECT_NE(run.status, 0);
        EXPECT_EQ(run.err, "Pozor! Pripojte počítač pomocou Microsoft ActiveSync a znova spustite "
                           "prenosový program!\n");
        EXPECT_FALSE(fs::exists(desktop.Received()));
        EXPECT_EQ(ListFolder(desktop.Lists()), kSamples);
    }
}

// What support hears from a clerk's PC: the dll and where it was loaded from, and the
// handheld's answer; without the dll, that it does not load and the own network link is
// used, and the step of that link that failed.
TEST(RapiHandheldTest, DiagnoseNamesTheDllAndTheHandheldOrSaysTheDllDoesNotLoad)
{
    {
        const Desktop desktop;
        // A receive folder that every ANSI code page holds: the settings keep it there.
        const fs::path received = desktop.Dir().Path() / "prijate";
        fs::create_directories(received);
        std::ofstream(desktop.Work() / "ZVKServer.ini", std::ios::binary)
            << "[zvkpc]\r\nImportpath=" << SettingsPathText(received).value() << "\r\n";
        const ZvkRun run = desktop.Zvk({"diagnose"});
        EXPECT_EQ(run.status, 0) << run.out;
        const std::size_t dll = run.out.find("ok      rapi.dll: ");
        ASSERT_NE(dll, std::string::npos) << run.out;
        const std::string line = run.out.substr(dll, run.out.find('\n', dll) - dll);
        EXPECT_TRUE(line.ends_with("\\ZVK PC\\rapi.dll, with every function zvk calls")) << line;
        EXPECT_NE(run.out.find("ok      handheld (rapi.dll): answered in "), std::string::npos)
            << run.out;
        EXPECT_EQ(run.out.find("FAIL"), std::string::npos) << run.out;
        // Asked, and nothing transferred.
        EXPECT_EQ(ListFolder(desktop.Lists()), kSamples);
    }
    const Desktop desktop("", Desktop::Dll::Missing);
    const ZvkRun run = desktop.Zvk({"diagnose"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("warning rapi.dll: does not load: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("; the program's own network link is used\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("FAIL    handheld (own network link): no handheld's network link "
                           "(RNDIS): is the handheld in its cradle?\n"),
              std::string::npos)
        << run.out;
}

TEST(RapiHandheldTest, NamedFolderChoosesTheEmulatedHandheldEvenWithoutRapiDll)
{
    const Desktop desktop("", Desktop::Dll::Missing);
    const ScopedEnvironment emulator("ZVK_HANDHELD", desktop.Handheld());
    const ZvkRun run = desktop.Zvk({"receive", "--to", PathText(desktop.Received())});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ListFolder(desktop.Received()), kSamples);
    EXPECT_EQ(ListFolder(desktop.Lists()), "");
}

} // namespace
} // namespace zvk::test
