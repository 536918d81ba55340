#include <cstdlib>
#include <sstream>

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

TEST(CliTest, HelpExplainsTheToolAndEachCommand)
{
    const CliRun help = Zvk({"--help"});
    EXPECT_EQ(help.status, kSuccess);
    EXPECT_NE(help.out.find("convert"), std::string::npos);
    EXPECT_NE(help.out.find("import"), std::string::npos);
    for (const char* command : {"convert", "import", "report", "note"}) {
        const CliRun commandHelp = Zvk({command, "--help"});
        EXPECT_EQ(commandHelp.status, kSuccess);
        EXPECT_EQ(commandHelp.out.rfind(std::string("usage: zvk ") + command, 0), 0u);
    }
}

TEST(CliTest, MisuseIsAUsageError)
{
    EXPECT_EQ(Zvk({}).status, kUsageError);
    const CliRun unknown = Zvk({"frobnicate"});
    EXPECT_EQ(unknown.status, kUsageError);
    EXPECT_EQ(unknown.err, "zvk: unknown command 'frobnicate' (see 'zvk --help')\n");
    EXPECT_EQ(Zvk({"convert"}).status, kUsageError);
    EXPECT_EQ(Zvk({"import"}).status, kUsageError);
    // An empty path names nothing, wherever it stands: never the working folder.
    const std::vector<Arguments> empty = {
        {"convert", ""},
        {"import", ""},
        {"note", ""},
        {"report", "--folder", ""},
        {"receive", "--to", ""},
        {"send-list", ""},
        {"send-config", ""},
        {"journal", "--folder", ""},
        {"diagnose", ""},
    };
    for (const Arguments& arguments : empty) {
        const CliRun run = Zvk(arguments);
        EXPECT_EQ(run.status, kUsageError) << arguments.front();
        EXPECT_EQ(run.err, "zvk: an empty argument names no file or folder (see 'zvk " +
                               arguments.front() + " --help')\n");
    }
}

TEST(CliTest, ConvertWritesEachListsTextBesideIt)
{
    TempDir dir;
    const fs::path first = dir.Path() / "LIST0001.DAT";
    const fs::path second = dir.Path() / "zväzok" / "list0002.dat";
    fs::create_directories(second.parent_path());
    fs::copy_file(fs::path(ZVK_SAMPLE_DIR) / "LIST0001.DAT", first);
    fs::copy_file(fs::path(ZVK_SAMPLE_DIR) / "LIST0002.DAT", second);
    const CliRun convert = Zvk({"convert", first.string(), second.string()});
    EXPECT_EQ(convert.status, kSuccess) << convert.err;
    EXPECT_EQ(convert.out, (dir.Path() / "LIST0001.csv").string() + "\n" +
                               (second.parent_path() / "list0002.csv").string() + "\n");
    // The list name in the first line is the file's own name, without its folder.
    EXPECT_EQ(ReadBytes(second.parent_path() / "list0002.csv").substr(0, 13), "list0002.dat;");
}

TEST(CliTest, FailuresGoOnWithTheOtherFilesAndEndNonZero)
{
    TempDir dir;
    const fs::path good = dir.Write("GOOD.DAT", "0A01.02.26x\r\n");
    const fs::path text = dir.Write("notes.txt", "");
    // A list with nothing yet converts to an empty text; one record on a later line makes
    // a list; bytes without one are no list.
    const fs::path empty = dir.Write("EMPTY.DAT", "");
    const fs::path items = dir.Write("ITEMS.DAT", "\r\n2M    101SMVy   I\r\n");
    const fs::path random = dir.Write("RANDOM.DAT", "\x89PNG\r\n2m 0a ad\r\n\r\n");
    // The same list again, by another spelling of its path, as "A.DAT" and "A.dat" are one
    // on Windows: its text is not written over the one just written.
    const CliRun convert = Zvk({"convert", (dir.Path() / "MISSING.DAT").string(), text.string(),
                                good.string(), (dir.Path() / "." / "GOOD.DAT").string(),
                                empty.string(), items.string(), random.string()});
    EXPECT_EQ(convert.status, kFailure);
    EXPECT_EQ(convert.out, (dir.Path() / "GOOD.csv").string() + "\n" +
                               (dir.Path() / "EMPTY.csv").string() + "\n" +
                               (dir.Path() / "ITEMS.csv").string() + "\n");
    EXPECT_EQ(ReadBytes(dir.Path() / "EMPTY.csv"), "");
    EXPECT_NE(convert.err.find("zvk: " + random.string() +
                               " is not a data list: not one line of it starts with a record "
                               "code\n"),
              std::string::npos)
        << convert.err;
    std::istringstream messages(convert.err);
    std::string line;
    int lines = 0;
    while (std::getline(messages, line)) {
        EXPECT_EQ(line.rfind("zvk: ", 0), 0u) << line;
        ++lines;
    }
    EXPECT_EQ(lines, 4);
    EXPECT_NE(convert.err.find("GOOD.csv was written a moment ago from another list of the same "
                               "name"),
              std::string::npos)
        << convert.err;
    EXPECT_EQ(ListFolder(dir.Path()),
              "EMPTY.DAT EMPTY.csv GOOD.DAT GOOD.csv ITEMS.DAT ITEMS.csv RANDOM.DAT notes.txt");
}

TEST(CliTest, ImportWritesEachListBesideItsText)
{
    TempDir dir;
    const fs::path text = dir.Write("merania/LOG0612.txt", "FmoR\n1\nSM\nI\n3\n4,5\n32\n0,36\n");
    const CliRun import = Zvk({"import", text.string(), (dir.Path() / "missing.txt").string()});
    EXPECT_EQ(import.status, kFailure);
    EXPECT_EQ(import.out, (dir.Path() / "merania" / "LOG0612.dat").string() + "\n");
    EXPECT_EQ(import.err.substr(0, import.err.find('\n') + 1),
              "zvk: LOG0612.dat has no date record: every report holds it, whatever its range\n");
    EXPECT_EQ(ReadBytes(dir.Path() / "merania" / "LOG0612.dat").substr(0, 14), "ADLOG0612.dat ");
}

#ifndef _WIN32
// A list, a configuration or a measurement text given as a symbolic link to a regular file
// is that file: read as any other.
TEST(CliTest, LinksToFilesAreReadAsTheFiles)
{
    TempDir dir;
    const fs::path list = dir.Path() / "kept" / "LIST0001.DAT";
    fs::create_directories(list.parent_path());
    fs::copy_file(fs::path(ZVK_SAMPLE_DIR) / "LIST0001.DAT", list);
    const fs::path text = dir.Write("kept/LOG0612.txt", "FmoR\n1\nSM\nI\n3\n4,5\n32\n0,36\n");
    fs::create_symlink(list, dir.Path() / "LIST0001.DAT");
    fs::create_symlink(test::SampleConfiguration(), dir.Path() / "ZVK.INI");
    fs::create_symlink(text, dir.Path() / "LOG0612.txt");
    EXPECT_EQ(Zvk({"convert", (dir.Path() / "LIST0001.DAT").string()}).status, kSuccess);
    EXPECT_EQ(ReadBytes(dir.Path() / "LIST0001.csv"),
              ReadBytes(test::TestData("lists/LIST0001.csv")));
    const CliRun note =
        Zvk({"note", (dir.Path() / "LIST0001.DAT").string(), "--config",
             (dir.Path() / "ZVK.INI").string(), "--output", (dir.Path() / "note.rtf").string()});
    EXPECT_EQ(note.status, kSuccess) << note.err;
    EXPECT_EQ(note.err.find("configuration"), std::string::npos) << note.err;
    EXPECT_EQ(Zvk({"import", (dir.Path() / "LOG0612.txt").string()}).status, kSuccess);
    EXPECT_EQ(ReadBytes(dir.Path() / "LOG0612.dat").substr(0, 14), "ADLOG0612.dat ");
}
#endif

#ifdef _WIN32
// std::system gives the program's own exit status there.
#define WIFEXITED(status) true
#define WEXITSTATUS(status) (status)
#endif

// The real executable: exit status and the streams a script sees.
TEST(CliTest, ExecutableReportsFailureThroughItsExitStatus)
{
    TempDir dir;
    const std::string command = std::string(ZVK_CLI_PATH) + " convert '" +
                                (dir.Path() / "MISSING.DAT").string() + "' 2>'" +
                                (dir.Path() / "err").string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kFailure);
    EXPECT_NE(ReadBytes(dir.Path() / "err").find("MISSING.DAT"), std::string::npos);
    EXPECT_EQ(std::system((std::string(ZVK_CLI_PATH) + " --help >/dev/null").c_str()), 0);
}

} // namespace
} // namespace zvk::cli
