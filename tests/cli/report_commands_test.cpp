#include <chrono>
#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "cli_run.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::TempDir;
using test::TestData;

const fs::path kSamples = ZVK_SAMPLE_DIR;
const fs::path kSampleConfig = test::SampleConfiguration();

TEST(ReportCommandTest, MakesTheSameDocumentAsTheDialog)
{
    TempDir dir;
    const fs::path output = dir.Path() / "report.rtf";
    const CliRun run =
        Zvk({"report", "--folder", kSamples.string(), "--config", kSampleConfig.string(), "--from",
             "01.10.2026", "--to", "2026-11-30", "--where", "4=Horný Hrončok", "--where", "2",
             "--where", "9=", "--output", output.string()});
    ASSERT_EQ(run.status, kSuccess) << run.err;
    EXPECT_EQ(run.out, output.string() + "\n");
    EXPECT_EQ(ReadBytes(output), ReadBytes(TestData("reports/sample_report.rtf")));
}

TEST(ReportCommandTest, TakesItsSettingsAndPathsInTheWorkingFolder)
{
    TempDir dir;
    dir.Write("ZVKServer.ini", "[zvkpc]\r\nImportpath=" + kSamples.string() +
                                   "\r\nKonfig=" + kSampleConfig.string() + "\r\n");
    const CliRun run = Zvk({"report", "--from", "2026-10-01", "--to", "2026-11-30"}, dir.Path());
    ASSERT_EQ(run.status, kSuccess) << run.err;
    const fs::path document = run.out.substr(0, run.out.size() - 1);
    EXPECT_EQ(document.parent_path(), dir.Path());
    EXPECT_EQ(document.extension(), ".rtf");
    const std::string report = ReadBytes(document);
    EXPECT_NE(report.find("Lesy Horehronie"), std::string::npos);
    EXPECT_NE(report.find("Dlhe drevo:   16 ks"), std::string::npos);
    const CliRun named = Zvk({"report", "--output", "named.rtf"}, dir.Path());
    EXPECT_EQ(named.out, (dir.Path() / "named.rtf").string() + "\n");
    EXPECT_TRUE(fs::is_regular_file(dir.Path() / "named.rtf"));
}

TEST(ReportCommandTest, RefusesWhatTheDialogCouldNotChoose)
{
    const Arguments wrong[] = {
        {"report", "--from", "31.02.2026"},
        {"report", "--to", "2026/03/01"},
        {"report", "--where", "30=x"},
        {"report", "--where", "x"},
        {"report", "--where", "1=this text is too long"},
        {"report", "--where", "4=Horný 😀"},
        {"report", "--where", "1", "--where", "2", "--where", "3", "--where", "4", "--where", "5",
         "--where", "6"},
        {"report", "--listing", "wide"},
        {"report", "--output"},
        {"report", "--output", ""},
        {"note", "A.DAT", "--config", ""},
        {"report", "--bogus"},
        {"note"},
        {"note", "A.DAT", "B.DAT"},
        {"note", "A.DAT", "--where", "1=x"},
    };
    for (const Arguments& arguments : wrong) {
        const CliRun run = Zvk(arguments);
        EXPECT_EQ(run.status, kUsageError) << arguments.back();
        EXPECT_EQ(run.err.rfind("zvk: ", 0), 0u) << run.err;
    }
    // A path given that is not there, or not of its kind, is refused before anything is
    // made, and said which.
    TempDir dir;
    const std::string list = (kSamples / "LIST0001.DAT").string();
    const std::string folder = kSamples.string();
    const std::string missing = (dir.Path() / "ZVK.IN").string();
    const std::string gone = (dir.Path() / "lists").string();
    const std::pair<Arguments, std::string> wrongPaths[] = {
        {{"report", "--folder", gone}, "--folder " + gone + " does not exist"},
        {{"report", "--folder", list}, "--folder " + list + " is a file, not a folder"},
        {{"report", "--config", missing}, "--config " + missing + " does not exist"},
        {{"note", list, "--config", missing}, "--config " + missing + " does not exist"},
        {{"note", list, "--config", folder}, "--config " + folder + " is a folder, not a file"},
    };
    for (const auto& [arguments, said] : wrongPaths) {
        const CliRun run = Zvk(arguments, dir.Path());
        EXPECT_EQ(run.status, kUsageError) << said;
        EXPECT_EQ(run.err, "zvk: " + said + "\n");
        EXPECT_EQ(ListFolder(dir.Path()), "");
    }

    // Each refusal says what is wrong with what was typed.
    EXPECT_EQ(Zvk({"report", "--from", "31.02.2026"}).err,
              "zvk: --from: '31.02.2026' is not a day of the calendar\n");
    EXPECT_EQ(Zvk({"report", "--to", "2026/03/01"}).err,
              "zvk: --to: a date is written DD.MM.YYYY or YYYY-MM-DD, not '2026/03/01'\n");
    EXPECT_NE(Zvk({"report", "--where", "4=Horný 😀"}).err.find("Windows-1250"), std::string::npos);
}

// The outermost choices of the dialog are taken and the next ones past them refused:
// header values 1 and 29, not 0; a text of 20 characters in the code page (more bytes
// as typed), not 21; five rows, not six; a leap day and the last day of the year.
TEST(ReportCommandTest, TakesTheDialogsBordersAndNothingPast)
{
    const std::string twenty = "Horný Hrončok Brezno";
    TempDir dir;
    const CliRun run = Zvk({"report",
                            "--folder",
                            kSamples.string(),
                            "--config",
                            kSampleConfig.string(),
                            "--from",
                            "29.02.2024",
                            "--to",
                            "2026-12-31",
                            "--where",
                            "1=" + twenty,
                            "--where",
                            "29=x",
                            "--where",
                            "2",
                            "--where",
                            "3",
                            "--where",
                            "4",
                            "--output",
                            (dir.Path() / "report.rtf").string()});
    EXPECT_EQ(run.status, kSuccess) << run.err;
    for (const Arguments& past :
         {Arguments{"report", "--where", "0=x"},
          Arguments{"report", "--where", "1=" + twenty + "a"},
          Arguments{"report", "--from", "29.02.2026"}, Arguments{"report", "--to", "2026-13-01"}}) {
        const CliRun refused = Zvk(past);
        EXPECT_EQ(refused.status, kUsageError) << past.back();
        EXPECT_EQ(refused.err.rfind("zvk: ", 0), 0u) << refused.err;
    }
}

// The lists whose dates do not decide are in the report or not as before, but each is
// said once the document is made: one without a date record is in every report, one
// whose date is no day of the calendar only in one whose range spans it.
TEST(ReportCommandTest, ListsWhoseDatesDoNotDecideAreSaid)
{
    TempDir dir;
    fs::copy_file(kSamples / "LIST0001.DAT", dir.Path() / "LIST0001.DAT");
    dir.Write("FEB31.DAT", "0A31.02.26\r\n");
    dir.Write("NODATE.DAT", "2M    101SMVy   I    3  4.00 28KO 0.25 0\r\n");
    dir.Write("ZERO.DAT", "0A00.00.00\r\n");
    dir.Write("OTHER.DAT", "0A00.00.00\r\n0B" + std::string(20, 'x') + "\r\n");
    const CliRun run = Zvk({"report", "--folder", dir.Path().string(), "--config",
                            kSampleConfig.string(), "--from", "01.01.2026", "--to", "31.12.2026",
                            "--where", "2=", "--output", (dir.Path() / "report.rtf").string()});
    ASSERT_EQ(run.status, kSuccess) << run.err;
    EXPECT_EQ(run.err, "zvk: FEB31.DAT has a date that is no day of the calendar\n"
                       "zvk: NODATE.DAT has no date record: every report holds it, whatever its "
                       "range\n"
                       "zvk: ZERO.DAT has a date that is no day of the calendar: this report "
                       "leaves it out\n");
    const std::string report = ReadBytes(dir.Path() / "report.rtf");
    EXPECT_NE(report.find("MVy"), std::string::npos) << "the undated list's item is listed";

    // A range that ends before it begins is said, and made as the window makes it: of
    // the lists without a date record alone. A range of one day is none such.
    const CliRun backwards =
        Zvk({"report", "--folder", dir.Path().string(), "--config", kSampleConfig.string(),
             "--from", "02.03.2026", "--to", "01.03.2026", "--where", "2=", "--output",
             (dir.Path() / "back.rtf").string()});
    EXPECT_EQ(backwards.status, kSuccess);
    EXPECT_EQ(backwards.err,
              "zvk: --from 02.03.2026 is after --to 01.03.2026: no list with a date is in the "
              "report\n"
              "zvk: FEB31.DAT has a date that is no day of the calendar: this report leaves it "
              "out\n"
              "zvk: NODATE.DAT has no date record: every report holds it, whatever its range\n"
              "zvk: ZERO.DAT has a date that is no day of the calendar: this report leaves it "
              "out\n");
    const CliRun oneDay =
        Zvk({"report", "--folder", kSamples.string(), "--config", kSampleConfig.string(), "--from",
             "01.03.2026", "--to", "01.03.2026", "--output", (dir.Path() / "day.rtf").string()});
    EXPECT_EQ(oneDay.status, kSuccess);
    EXPECT_EQ(oneDay.err, "");

    const CliRun note =
        Zvk({"note", (dir.Path() / "NODATE.DAT").string(), "--config", kSampleConfig.string(),
             "--output", (dir.Path() / "note.rtf").string()});
    EXPECT_EQ(note.status, kSuccess);
    EXPECT_EQ(note.err,
              "zvk: NODATE.DAT has no date record: every report holds it, whatever its range\n");
    EXPECT_EQ(Zvk({"note", (kSamples / "LIST0001.DAT").string(), "--config", kSampleConfig.string(),
                   "--output", (dir.Path() / "dated.rtf").string()})
                  .err,
              "");
}

// A configuration the desktop settings do not name, or name but is not there, is said
// by the path looked for, and the note is made without it, as the window makes it.
TEST(NoteCommandTest, AMissingConfigurationIsSaidAndTheNoteStillMade)
{
    TempDir dir;
    const fs::path settings = dir.Path() / "ZVKServer.ini";
    const fs::path missing = dir.Path() / "missing.ini";
    const std::string noCompanyLines = "the document has no company lines or captions\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "no configuration file: there is no " + settings.string() + " to name one; " +
                 noCompanyLines},
        {"[zvkpc]\r\nImportpath=.\r\n",
         "no configuration file: " + settings.string() + " names none (Konfig); " + noCompanyLines},
        {"[zvkpc]\r\nKonfig=" + missing.string() + "\r\n",
         "no configuration file " + missing.string() + ": " + noCompanyLines},
    };
    for (const auto& [settingsText, said] : cases) {
        if (!settingsText.empty())
            dir.Write("ZVKServer.ini", settingsText);
        const fs::path output = dir.Path() / "note.rtf";
        fs::remove(output);
        const CliRun run =
            Zvk({"note", TestData("reports/note/NOTE.DAT").string(), "--output", output.string()},
                dir.Path());
        EXPECT_EQ(run.status, kSuccess);
        EXPECT_EQ(run.err, "zvk: " + said);
        EXPECT_TRUE(fs::exists(output));
    }
}

TEST(NoteCommandTest, WritesTheNoteOfOneList)
{
    TempDir dir;
    const fs::path output = dir.Path() / "note.rtf";
    const CliRun run = Zvk({"note", TestData("reports/note/NOTE.DAT").string(), "--config",
                            TestData("reports/ZVK.INI").string(), "--output", output.string()});
    ASSERT_EQ(run.status, kSuccess) << run.err;
    EXPECT_EQ(ReadBytes(output), ReadBytes(TestData("reports/consignment_note.rtf")));

    const CliRun missing = Zvk({"note", (dir.Path() / "GONE.DAT").string(), "--output",
                                (dir.Path() / "gone.rtf").string(), "--listing", "none"});
    EXPECT_EQ(missing.status, kFailure);
    EXPECT_NE(missing.err.find("GONE.DAT"), std::string::npos);
    const fs::path random = dir.Write("RANDOM.DAT", "\x89PNG\r\n\x1a\n");
    const CliRun noList =
        Zvk({"note", random.string(), "--output", (dir.Path() / "random.rtf").string()});
    EXPECT_EQ(noList.status, kFailure);
    EXPECT_EQ(noList.err,
              "zvk: " + random.string() +
                  " is not a data list: not one line of it starts with a record code\n");
    EXPECT_EQ(ListFolder(dir.Path()), "RANDOM.DAT note.rtf");
}

TEST(NoteCommandTest, AnOutputThatWouldReplaceTheListIsRefused)
{
    TempDir dir;
    const fs::path list = dir.Path() / "LIST0001.DAT";
    fs::copy_file(kSamples / "LIST0001.DAT", list);
    const CliRun run =
        Zvk({"note", list.string(), "--config", kSampleConfig.string(), "--output", list.string()});
    EXPECT_EQ(run.status, kFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "zvk: " + list.string() + " has the name of a data list (.dat)\n");
    EXPECT_EQ(ReadBytes(list), ReadBytes(kSamples / "LIST0001.DAT"));
    EXPECT_EQ(ListFolder(dir.Path()), "LIST0001.DAT");
}

// The real executable with a stand-in for the desktop's xdg-open, which records
// the document it was given: the viewer is started apart from the program, which
// neither waits for it nor depends on it.
TEST(NoteCommandTest, OpenShowsTheDocumentInTheDesktopsViewer)
{
    TempDir dir;
    const fs::path opened = dir.Path() / "opened.txt";
    const fs::path opener = dir.Write(
        "bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + opened.string() + ".part'\nmv '" +
                            opened.string() + ".part' '" + opened.string() + "'\n");
    fs::permissions(opener, fs::perms::owner_all);
    const fs::path output = dir.Path() / "note.rtf";
    const std::string command = "PATH='" + opener.parent_path().string() + "':\"$PATH\" " +
                                ZVK_CLI_PATH + " note '" +
                                TestData("reports/note/NOTE.DAT").string() + "' --output '" +
                                output.string() + "' --open >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (int wait = 0; wait < 100 && !fs::exists(opened); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(ReadBytes(opened), output.string());
}

} // namespace
} // namespace zvk::cli
