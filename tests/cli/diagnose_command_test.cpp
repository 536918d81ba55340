#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "cli_run.h"
#include "device/handheld_selection.h"
#include "support/environment.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "system/settings_path_text.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::TempDir;

// A desktop as support meets it: ZVKServer.ini names the receive folder and an emulated
// handheld with the sample lists, and the reports' cache folder is a folder of its own.
class Desktop
{
public:
    Desktop() : m_noNamedHandheld("ZVK_HANDHELD", {})
    {
        fs::create_directories(ReceiveFolder());
        EXPECT_TRUE(
            test::Succeeded(PrepareHandheldFolder(Handheld(), SampleListsFolder(ZVK_SAMPLE_DIR))));
        m_dir.Write("handheld/emulator.ini", "[Emulator]\r\nExportDelayMs=1\r\n");
        m_dir.Write("work/ZVKServer.ini",
                    "[zvkpc]\r\nImportpath=" + SettingsPathText(ReceiveFolder()).value() +
                        "\r\nZariadenie=" + SettingsPathText(Handheld()).value() + "\r\n");
    }

    // Runs `zvk diagnose` in the working folder; the watchdog takes no real time.
    CliRun Diagnose() const
    {
        return Zvk({"diagnose"}, Work(), Cache());
    }

    fs::path Work() const
    {
        return m_dir.Path() / "work";
    }
    fs::path ReceiveFolder() const
    {
        return m_dir.Path() / "prijate";
    }
    fs::path Handheld() const
    {
        return m_dir.Path() / "handheld";
    }
    fs::path Cache() const
    {
        return m_dir.Path() / "cache";
    }
    const TempDir& Dir() const
    {
        return m_dir;
    }

private:
    TempDir m_dir;
    test::ScopedEnvironment m_noNamedHandheld;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Every line says ok, and every file it tried is gone again; the settings file is as it
// was. (On Windows the emulated handheld needs no rapi.dll: its absence is a warning.)
TEST(DiagnoseCommandTest, AllIsWellOnEveryLineAndNothingIsLeftBehind)
{
    const Desktop desktop;
    const std::string settings = ReadBytes(desktop.Work() / "ZVKServer.ini");
    const CliRun run = desktop.Diagnose();
    EXPECT_EQ(run.status, kSuccess) << run.out;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 9u) << run.out;
    for (const std::string& line : lines) {
#ifdef _WIN32
        if (line.rfind("warning rapi.dll: ", 0) == 0)
            continue;
#endif
        EXPECT_EQ(line.rfind("ok      ", 0), 0u) << line;
    }
    EXPECT_EQ(lines[0], "ok      program: ZVK PC 4.0 (zvk)");
    EXPECT_EQ(lines[3], "ok      handheld (emulated in " + PathText(desktop.Handheld()) +
                            "): answered in 0 ms, within the link's watchdog of 1000 ms");
    EXPECT_EQ(
        lines[4].rfind("ok      receive folder: " + PathText(desktop.ReceiveFolder()) + ", ", 0),
        0u)
        << lines[4];
    EXPECT_EQ(lines[8], "ok      cache folder (" + PathText(desktop.Cache()) +
                            "): a file was written and removed");
    EXPECT_EQ(ListFolder(desktop.ReceiveFolder()), "");
    EXPECT_EQ(ListFolder(desktop.Cache()), "");
    EXPECT_EQ(ListFolder(desktop.Work()), "ZVKServer.ini");
    EXPECT_EQ(ReadBytes(desktop.Work() / "ZVKServer.ini"), settings);
    // Asked and let go: the handheld program was never started.
    EXPECT_EQ(ListFolder(desktop.Handheld()), "ZVK_CE emulator.ini");
}

#ifndef _WIN32
// Without a folder named, the emulated handheld stands in only because no handheld's
// network link is here: the line says so, for a clerk whose handheld is in its cradle.
TEST(DiagnoseCommandTest, AnEmulatorStandingInForTheCradleSaysWhy)
{
    const Desktop desktop;
    desktop.Dir().Write("work/ZVKServer.ini", "[zvkpc]\r\n");
    const CliRun run = desktop.Diagnose();
    EXPECT_NE(run.out.find("warning handheld (emulated in " +
                           PathText(desktop.Work() / "handheld") +
                           ", no handheld's network link (RNDIS) here): not there yet"),
              std::string::npos)
        << run.out;
}
#endif

// Each thing that fails is the one line that says FAIL, and the tool fails.
TEST(DiagnoseCommandTest, WhatFailsIsTheLineThatSaysFail)
{
    struct Case
    {
        const char* what;
        std::function<void(const Desktop&)> spoil;
        std::string failed;
    };
    const Case cases[] = {
        {"an absent handheld",
         [](const Desktop& desktop) {
             desktop.Dir().Write("handheld/emulator.ini", "[Emulator]\r\nConnected=0\r\n");
         },
         "handheld (emulated in %handheld%): did not answer within the link's watchdog of "
         "1000 ms"},
        {"a receive folder that is a file",
         [](const Desktop& desktop) {
             fs::remove(desktop.ReceiveFolder());
             desktop.Dir().Write("prijate", "");
         },
         "receive folder: %receive% is not a folder"},
        {"a cache folder that is a file",
         [](const Desktop& desktop) { desktop.Dir().Write("cache", ""); },
         "cache folder (%cache%): is not a folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Desktop desktop;
        c.spoil(desktop);
        std::string failed = c.failed;
        for (const auto& [mark, path] : {std::pair{"%handheld%", desktop.Handheld()},
                                         std::pair{"%receive%", desktop.ReceiveFolder()},
                                         std::pair{"%cache%", desktop.Cache()}})
            if (const std::size_t at = failed.find(mark); at != std::string::npos)
                failed.replace(at, std::string_view(mark).size(), PathText(path));
        const CliRun run = desktop.Diagnose();
        EXPECT_EQ(run.status, kFailure);
        std::vector<std::string> failures;
        for (const std::string& line : Lines(run.out))
            if (line.rfind("FAIL    ", 0) == 0)
                failures.push_back(line.substr(8));
        EXPECT_EQ(failures, std::vector<std::string>{failed}) << run.out;
    }
}

} // namespace
} // namespace zvk::cli
