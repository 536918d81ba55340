// Every command of zvk fed the same hostile files, and made to write where it cannot:
// each ends with a message naming what went wrong and the right exit status, never
// crashes, and leaves no temporary file and no half-written output.

#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "cli_run.h"
#include "device/emulated_program.h"
#include "device/handheld_contract.h"
#include "device/handheld_selection.h"
#include "files/temporary_files.h"
#include "support/environment.h"
#include "support/file_size_limit.h"
#include "support/small_disk.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

using test::ReadBytes;
using test::TempDir;

const fs::path kSamples = ZVK_SAMPLE_DIR;
const fs::path kSampleList = kSamples / "LIST0001.DAT";

// The commands of the tour, each fed one file: a data list, a device configuration or a
// measurement text, as the command reads it.
const std::vector<std::string> kCommands = {"convert",         "import",    "report",
                                            "report --config", "note",      "note --config",
                                            "send-config",     "send-list", "receive"};

// Where one run of the tour reads and writes.
struct Place
{
    fs::path input;
    fs::path output;
    fs::path handheld;
    // Where the files that are read and not written beside lie.
    fs::path inputs;
};

std::string ExtensionFor(const std::string& command)
{
    if (command == "import")
        return ".txt";
    if (command.ends_with("config"))
        return ".INI";
    return ".DAT";
}

// The folder the fed file lies in: beside the output for the commands that write beside
// their input, the handheld's own lists for a reception.
fs::path InputFolder(const std::string& command, const Place& place)
{
    if (command == "convert" || command == "import")
        return place.output;
    if (command == "receive")
        return EmulatedListStore(place.handheld);
    return place.inputs;
}

Arguments ArgumentsFor(const std::string& command, const Place& place)
{
    const std::string input = place.input.string();
    const std::string document = (place.output / "document.rtf").string();
    const std::string config = test::SampleConfiguration().string();
    const Arguments dates = {"--from", "01.01.2000", "--to", "31.12.2098"};
    Arguments arguments;
    if (command == "report")
        arguments = {"report", "--folder", place.input.parent_path().string(), "--config", config};
    else if (command == "report --config")
        arguments = {"report", "--folder", kSamples.string(), "--config", input};
    else if (command == "note")
        arguments = {"note", input, "--config", config};
    else if (command == "note --config")
        arguments = {"note", kSampleList.string(), "--config", input};
    else if (command == "receive")
        return {"receive", "--to", place.output.string(), "--convert"};
    else
        return {command, input};
    if (command.starts_with("report"))
        arguments.insert(arguments.end(), dates.begin(), dates.end());
    arguments.insert(arguments.end(), {"--output", document});
    return arguments;
}

// The file the command writes when it succeeds.
fs::path TargetOf(const std::string& command, const Place& place)
{
    if (command == "convert")
        return fs::path(place.input).replace_extension(".csv");
    if (command == "import")
        return fs::path(place.input).replace_extension(".dat");
    if (command == "send-config")
        return place.handheld / "ZVK_CE" / "ZVK.INI";
    // The handheld and the desktop name a list in UTF-8 whatever code page it came in.
    const std::optional<fs::path> name = DesktopNameOf(HandheldNameOf(place.input));
    if (command == "send-list")
        return EmulatedListStore(place.handheld) / name.value();
    if (command == "receive")
        return place.output / fs::path(name.value()).replace_extension(".csv");
    return place.output / "document.rtf";
}

// A well-formed file of the kind the command reads.
std::string GoodInputFor(const std::string& command)
{
    if (command == "import")
        return ReadBytes(fs::path(ZVK_SAMPLE_DIR).parent_path() / "measurements" / "MERANIE1.txt");
    if (command.ends_with("config"))
        return ReadBytes(test::SampleConfiguration());
    return ReadBytes(kSampleList);
}

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A hostile file: what it is, how it is made as `stem` + extension in a folder, and how
// each command ends when fed it, in the order of kCommands: 'o' output, 'f' failure, 'r'
// refused as the wrong argument, '-' nothing (see Expect).
struct Hostile
{
    std::string what;
    std::string stem;
    std::function<void(const fs::path& path, const std::string& good)> make;
    std::string endings = "ooooooooo";
};

const std::vector<Hostile>& HostileFiles()
{
    static const std::vector<Hostile> files = {
        {"empty", "EMPTY", [](const fs::path& p, const std::string&) { WriteFile(p, ""); }},
        {"binary", "BINARY",
         [](const fs::path& p, const std::string&) {
             std::string bytes;
             for (int round = 0; round < 16; ++round)
                 for (int byte = 255; byte >= 0; --byte)
                     bytes += static_cast<char>(byte ^ round);
             WriteFile(p, bytes);
         },
         // Not one line a data list: no text or note is made of it.
         "fooofoooo"},
        {"NUL bytes", "NULS",
         [](const fs::path& p, const std::string& good) {
             std::string bytes = good;
             for (std::size_t i = 3; i < bytes.size(); i += 37)
                 bytes[i] = '\0';
             WriteFile(p, bytes);
         }},
        {"a 10 MB line", "LONGLINE",
         [](const fs::path& p, const std::string& good) {
             WriteFile(p, good.substr(0, 12) + std::string(10 << 20, '7') + "\r\n" + good);
         }},
        {"no final line end", "NOEND",
         [](const fs::path& p, const std::string& good) {
             WriteFile(p, good.substr(0, good.find_last_not_of("\r\n") + 1));
         }},
        {"a folder", "FOLDER",
         [](const fs::path& p, const std::string&) { fs::create_directories(p); }, "fforfrff-"},
#ifndef _WIN32
        // Windows makes a symbolic link only with a privilege, and its names are UTF-16.
        // On the handheld it is a list that cannot be read: the reception names it.
        {"a dangling link", "DANGLING",
         [](const fs::path& p, const std::string&) {
             fs::create_symlink(p.parent_path() / "missing", p);
         },
         "fffrfrfff"},
        // "ľúbik" in the handheld's code page, which is no UTF-8.
        {"a Windows-1250 name",
         "\xBE\xFA"
         "bik",
         WriteFile},
#endif
    };
    return files;
}

// A folder of its own with an emulated handheld that holds no lists, chosen through
// ZVK_HANDHELD for as long as the object lives.
class TourFolder
{
public:
    TourFolder()
    {
        const fs::path noLists = m_dir.Path() / "no-lists";
        fs::create_directories(noLists);
        EXPECT_TRUE(test::Succeeded(PrepareHandheldFolder(Handheld(), noLists)));
        m_dir.Write("handheld/emulator.ini", "[Emulator]\r\nExportDelayMs=1\r\n");
        // The handheld's folders and lock are there before a case takes a right away.
        fs::create_directories(Handheld() / "ZVK_CE" / "Import");
        fs::create_directories(Handheld() / "ZVK_CE" / "Export");
        m_dir.Write("handheld/ZVK_CE/transfer.lock", "");
        fs::create_directories(m_dir.Path() / "in");
        fs::create_directories(m_dir.Path() / "out");
        test::SetEnvironment("ZVK_HANDHELD", Handheld());
    }
    ~TourFolder()
    {
        test::UnsetEnvironment("ZVK_HANDHELD");
    }

    fs::path Handheld() const
    {
        return m_dir.Path() / "handheld";
    }
    const fs::path& Path() const
    {
        return m_dir.Path();
    }

    // The place of `command` fed the file `stem` with output into `output`; the file
    // is made by `make`.
    Place Feed(const std::string& command, const std::string& stem,
               const std::function<void(const fs::path&, const std::string&)>& make,
               const fs::path& output) const
    {
        Place place{{}, output, Handheld(), m_dir.Path() / "in"};
        place.input = InputFolder(command, place) / (stem + ExtensionFor(command));
        make(place.input, GoodInputFor(command));
        return place;
    }

private:
    TempDir m_dir;
};

// Temporary files left anywhere under `folder`.
std::vector<std::string> TemporaryFilesUnder(const fs::path& folder)
{
    std::vector<std::string> found;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (IsTemporaryName(it->path().filename().string()))
            found.push_back(it->path().string());
    return found;
}

// How a run of the tour is to end.
enum class Expect
{
    // It takes the file and writes its output.
    Output,
    // It finds nothing to take (a handheld whose store holds a folder or a dangling link:
    // neither is a list) and succeeds without output.
    Nothing,
    // It names the file it could not read, or the output it could not write, and fails.
    Failure,
    // It names the file given with an option as not there or not of its kind, a mistake
    // in the command line.
    Refused,
};

// What is wrong with the run of `command` at `place`: empty when nothing is. A failure
// names `named` on a line of zvk's own (when `named` is empty, the window's error
// message of a send will do: the handheld's storage says no why), and leaves neither its
// output nor a temporary file anywhere under `folder`.
std::string Verdict(const std::string& command, const Place& place, const CliRun& run,
                    Expect expected, const std::string& named, const fs::path& folder)
{
    std::string wrong;
    const int status = expected == Expect::Failure   ? kFailure
                       : expected == Expect::Refused ? kUsageError
                                                     : kSuccess;
    if (run.status != status)
        wrong += "exit status " + std::to_string(run.status) + " instead of " +
                 std::to_string(status) + "; ";
    const std::string err = "\n" + run.err;
    const bool windowMessage =
        named.empty() && command.starts_with("send-") && err.find("\nChyba! ") != std::string::npos;
    if (run.status != kSuccess && !windowMessage && err.find("\nzvk: ") == std::string::npos)
        wrong += "no message; ";
    if (run.status != kSuccess && err.find(named) == std::string::npos)
        wrong += "the message does not name " + named + "; ";
    const fs::path target = TargetOf(command, place);
    // A list sent waits in the handheld's import folder until its program takes it.
    const fs::path sent = place.handheld / "ZVK_CE" / "Import" / target.filename();
    for (const fs::path& output : {target, sent})
        if (run.status != kSuccess && fs::exists(fs::symlink_status(output)))
            wrong += "output " + output.string() + " left after a failure; ";
    if (expected == Expect::Output && run.status == kSuccess && !fs::exists(target))
        wrong += "no output " + target.string() + " after a success; ";
    for (const std::string& temporary : TemporaryFilesUnder(folder))
        wrong += "temporary file " + temporary + " left; ";
    return wrong;
}

Expect ExpectFor(char code)
{
    return code == 'o'   ? Expect::Output
           : code == '-' ? Expect::Nothing
           : code == 'r' ? Expect::Refused
                         : Expect::Failure;
}

TEST(BadInputTourTest, EveryCommandTakesOrRefusesEveryHostileFileCleanly)
{
    for (std::size_t c = 0; c < kCommands.size(); ++c) {
        const std::string& command = kCommands[c];
        for (const Hostile& hostile : HostileFiles()) {
            const TourFolder folder;
            const Place place =
                folder.Feed(command, hostile.stem, hostile.make, folder.Path() / "out");
            const CliRun run = Zvk(ArgumentsFor(command, place));
            EXPECT_EQ(Verdict(command, place, run, ExpectFor(hostile.endings.at(c)),
                              place.input.filename().string(), folder.Path()),
                      "")
                << command << " fed " << hostile.what << ":\n"
                << run.err;
        }
    }
}

// Makes everything under `folder` open to everybody, so that an ordinary user meets
// only the one obstacle a case puts there.
void OpenToEverybody(const fs::path& folder)
{
    std::error_code ec;
    fs::permissions(folder, fs::perms::all, ec);
    for (fs::recursive_directory_iterator it(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (!fs::is_symlink(it->symlink_status(ec)))
            fs::permissions(it->path(),
                            it->is_directory(ec)
                                ? fs::perms::all
                                : fs::perms::owner_read | fs::perms::owner_write |
                                      fs::perms::group_read | fs::perms::group_write |
                                      fs::perms::others_read | fs::perms::others_write,
                            ec);
}

// Runs `command` at `place` as an ordinary user (who really cannot read or write what
// has no permission for it, unlike the superuser the tests may run as) and gives its
// verdict.
std::string VerdictAsOrdinaryUser(const std::string& command, const Place& place, Expect expected,
                                  const std::string& named, const fs::path& folder)
{
    const bool clean = test::AsOrdinaryUser([&] {
        const CliRun run = Zvk(ArgumentsFor(command, place));
        const std::string wrong = Verdict(command, place, run, expected, named, folder);
        if (!wrong.empty())
            std::cerr << wrong << "\n" << run.err;
        return wrong.empty();
    });
    return clean ? "" : command + " went wrong (see above)";
}

TEST(BadInputTourTest, EveryCommandNamesAFileItMayNotRead)
{
    // The configuration is only the document's captions. A list the handheld program
    // cannot read, and so cannot export, is still found on the handheld: the reception
    // names it as staying there.
    const std::map<std::string, Expect> expected = {
        {"report --config", Expect::Output},
        {"note --config", Expect::Output},
    };
    for (const std::string& command : kCommands) {
        const TourFolder folder;
        const Place place = folder.Feed(command, "UNREADABLE", WriteFile, folder.Path() / "out");
        OpenToEverybody(folder.Path());
        fs::permissions(place.input, fs::perms::none);
        const auto it = expected.find(command);
        EXPECT_EQ(VerdictAsOrdinaryUser(command, place,
                                        it == expected.end() ? Expect::Failure : it->second,
                                        place.input.filename().string(), folder.Path()),
                  "");
    }
}

// The folder a command writes into: beside its input, the receive folder, the
// handheld's import folder or its own folder, or the document's folder.
fs::path OutputFolder(const std::string& command, const Place& place)
{
    if (command == "send-config")
        return place.handheld / "ZVK_CE";
    if (command == "send-list")
        return place.handheld / "ZVK_CE" / "Import";
    return TargetOf(command, place).parent_path();
}

TEST(BadInputTourTest, EveryCommandNamesAReadOnlyFolderItCannotWriteInto)
{
    for (const std::string& command : kCommands) {
        const TourFolder folder;
        const Place place = folder.Feed(command, "GOOD", WriteFile, folder.Path() / "out");
        OpenToEverybody(folder.Path());
        const fs::path output = OutputFolder(command, place);
        fs::permissions(output, fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
        const std::string named = command.starts_with("send-") ? "" : output.string();
        EXPECT_EQ(VerdictAsOrdinaryUser(command, place, Expect::Failure, named, folder.Path()), "");
    }
}

// Fills the disk under `folder` to its last byte.
void FillUp(const fs::path& folder)
{
    std::ofstream filler(folder / "filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size()))
        filler.flush();
}

TEST(BadInputTourTest, EveryCommandNamesAFullDiskItCannotWriteTo)
{
    for (const std::string& command : kCommands) {
        const TourFolder folder;
        // A small disk filled up; where none can be mounted, a limit of no bytes on every
        // file this process writes stands for it.
        const test::SmallDisk disk(256 * 1024);
        const fs::path full = disk.Mounted() ? disk.Path() : folder.Path() / "full";
        fs::create_directories(full);
        const bool send = command.starts_with("send-");
        Place place = folder.Feed(command, "GOOD", WriteFile, send ? folder.Path() / "out" : full);
        if (send) {
            // The handheld's storage is what runs full.
            place.handheld = full / "handheld";
            ASSERT_TRUE(test::Succeeded(PrepareHandheldFolder(place.handheld, kSamples)));
            test::SetEnvironment("ZVK_HANDHELD", place.handheld);
        }
        std::optional<test::FileSizeLimit> limit;
        if (disk.Mounted())
            FillUp(full);
        else if (command == "receive") // the limit would stop the handheld's export too
            continue;
        else
            limit.emplace(0);
        const CliRun run = Zvk(ArgumentsFor(command, place));
        limit.reset();
        const std::string reason = disk.Mounted() ? "No space left on device" : "File too large";
        EXPECT_EQ(Verdict(command, place, run, Expect::Failure, send ? "" : reason, full), "")
            << command << ":\n"
            << run.err;
    }
}

} // namespace
} // namespace zvk::cli
