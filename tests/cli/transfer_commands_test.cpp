#include <cstdlib>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "cli_run.h"
#include "device/handheld_selection.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::TempDir;

// An emulated handheld with the sample lists, chosen through ZVK_HANDHELD for as long
// as the object lives.
class EmulatedHandheld
{
public:
    explicit EmulatedHandheld(std::string_view settings = "")
    {
        EXPECT_EQ(PrepareHandheldFolder(Folder(), SampleListsFolder()), "");
        m_dir.Write("handheld/emulator.ini",
                    "[Emulator]\r\nExportDelayMs=1\r\n" + std::string(settings));
        setenv("ZVK_HANDHELD", Folder().c_str(), 1);
    }
    ~EmulatedHandheld()
    {
        unsetenv("ZVK_HANDHELD");
    }

    fs::path Folder() const
    {
        return m_dir.Path() / "handheld";
    }
    const TempDir& Dir() const
    {
        return m_dir;
    }

private:
    TempDir m_dir;
};

// The real executable, as a script runs it: the handheld from the environment.
TEST(TransferCommandsTest, ReceiveBringsTheListsOverByteForByteWithTheirText)
{
    const EmulatedHandheld handheld;
    const fs::path to = handheld.Dir().Path() / "prijate";
    fs::create_directories(to);
    const fs::path out = handheld.Dir().Path() / "out";
    const fs::path err = handheld.Dir().Path() / "err";
    const std::string command = "ZVK_HANDHELD='" + handheld.Folder().string() + "' " +
                                ZVK_CLI_PATH + " receive --to '" + to.string() + "' --convert >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << ReadBytes(err);
    EXPECT_EQ(ReadBytes(out), "Príjem bol úspešne ukončený.\n");
    EXPECT_EQ(ReadBytes(err).rfind("Stav: Vytváranie súborov...\nStav: Príjem dát...\n", 0), 0u);
    for (const char* name : {"LIST0001", "LIST0002", "LIST0003", "STARY001"}) {
        EXPECT_EQ(ReadBytes(to / (std::string(name) + ".DAT")),
                  ReadBytes(fs::path(ZVK_SAMPLE_DIR) / (std::string(name) + ".DAT")));
        EXPECT_EQ(ReadBytes(to / (std::string(name) + ".csv")),
                  ReadBytes(test::TestData("lists/" + std::string(name) + ".csv")));
    }
    EXPECT_EQ(ListFolder(handheld.Folder()), "ZVK_CE emulator.ini");
    EXPECT_EQ(ListFolder(handheld.Folder() / "ZVK_CE" / "Data"), "");
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
    const EmulatedHandheld handheld;
    const CliRun run = Zvk({"receive", "--to", (handheld.Dir().Path() / "missing").string()});
    EXPECT_EQ(run.status, kFailure);
    EXPECT_NE(run.err.find("Chyba! *** Tieto zoznamy neboli prijaté: LIST0001.DAT,"),
              std::string::npos);
    EXPECT_EQ(ListFolder(handheld.Folder() / "ZVK_CE" / "Data"),
              "LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT");
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
    EXPECT_EQ(Zvk({"send-list", list.string()}).status, kSuccess);
    // The handheld program has taken the list into its own.
    EXPECT_EQ(ReadBytes(handheld.Folder() / "ZVK_CE" / "Data" / "Zoznam č. 7.dat"), "AD\r\n");

    const CliRun missing = Zvk({"send-config", (handheld.Dir().Path() / "NONE.INI").string()});
    EXPECT_EQ(missing.status, kFailure);
    EXPECT_NE(missing.err.find("\nChyba! *** Konfiguračný súbor chýba! ***\n"), std::string::npos);
}

TEST(TransferCommandsTest, MisuseIsAUsageError)
{
    EXPECT_EQ(Zvk({"receive", "--bogus"}).status, kUsageError);
    EXPECT_EQ(Zvk({"receive", "--to"}).status, kUsageError);
    EXPECT_EQ(Zvk({"send-config"}).status, kUsageError);
    EXPECT_EQ(Zvk({"send-list", "a.dat", "b.dat"}).status, kUsageError);
    const CliRun help = Zvk({"--help"});
    for (const char* command : {"receive", "send-config", "send-list"}) {
        EXPECT_NE(help.out.find(command), std::string::npos);
        EXPECT_EQ(Zvk({command, "--help"}).out.rfind(std::string("usage: zvk ") + command, 0), 0u);
    }
}

} // namespace
} // namespace zvk::cli
