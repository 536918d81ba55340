#include "device/send_workers.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "device/fake_handheld.h"
#include "device/handheld_contract.h"
#include "support/recording_window_port.h"
#include "support/temp_dir.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::FakeHandheld;
using test::RecordingWindowPort;
using test::TempDir;
using Strings = std::vector<std::string>;

const std::string kFailed = "send failed";

struct ConfigurationSend
{
    TempDir dir;
    FakeHandheld handheld;
    RecordingWindowPort window;

    explicit ConfigurationSend(std::string_view bytes)
    {
        window.configurationPath = dir.Write("ZVK.INI", bytes);
    }
};

TEST(SendConfigurationWorkerTest, SendsInChunksThenStartsTheProgramWithK)
{
    const std::string bytes(20000, 'k');
    ConfigurationSend send(bytes);
    EXPECT_TRUE(SendConfigurationWorker(send.window, send.handheld, send.window.configurationPath));
    EXPECT_EQ(send.handheld.files.at(u"\\ZVK_CE\\ZVK.INI"), bytes);
    // The file is closed before the program that reads it starts.
    EXPECT_EQ(send.handheld.Calls(), (Strings{"create \\ZVK_CE\\ZVK.INI", "close \\ZVK_CE\\ZVK.INI",
                                              "start \\ZVK_CE\\Slave.exe k"}));
    // A piece of 16 KiB, the rest, the empty write at the end and the closing 100%.
    EXPECT_EQ(send.window.Percentages(), (std::vector<unsigned>{81, 100, 100, 100}));
    EXPECT_EQ(send.window.Events(), (Strings{"lock", "stage sending configuration",
                                             "outcome configuration sent", "unlock"}));
}

TEST(SendConfigurationWorkerTest, AnEditorsByteOrderMarkIsNotSent)
{
    ConfigurationSend marked("\xEF\xBB\xBF[Firma]\r\n");
    EXPECT_TRUE(
        SendConfigurationWorker(marked.window, marked.handheld, marked.window.configurationPath));
    EXPECT_EQ(marked.handheld.files.at(u"\\ZVK_CE\\ZVK.INI"), "[Firma]\r\n");
    EXPECT_EQ(marked.window.Progress().front(), (std::pair<std::uint64_t, std::uint64_t>{9, 9}));

    ConfigurationSend shortFile("\xEF\xBB");
    EXPECT_TRUE(SendConfigurationWorker(shortFile.window, shortFile.handheld,
                                        shortFile.window.configurationPath));
    EXPECT_EQ(shortFile.handheld.files.at(u"\\ZVK_CE\\ZVK.INI"), "\xEF\xBB");
}

TEST(SendConfigurationWorkerTest, EmptyFileLeavesThePercentageUntilTheEnding)
{
    ConfigurationSend send("");
    EXPECT_TRUE(SendConfigurationWorker(send.window, send.handheld, send.window.configurationPath));
    EXPECT_EQ(send.handheld.files.at(u"\\ZVK_CE\\ZVK.INI"), "");
    EXPECT_EQ(send.window.Progress(),
              (std::vector<std::pair<std::uint64_t, std::uint64_t>>{{0, 0}, {100, 100}}));
}

TEST(SendConfigurationWorkerTest, ProgressOfALargeFileRisesAStepAtATimeTo100)
{
    // More than a hundred pieces: a percentage skipped would show.
    ConfigurationSend send(std::string(4 << 20, 'k'));
    EXPECT_TRUE(SendConfigurationWorker(send.window, send.handheld, send.window.configurationPath));
    const std::vector<unsigned> shown = send.window.Percentages();
    EXPECT_EQ(shown.front(), 0u);
    EXPECT_EQ(shown.back(), 100u);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(std::set<unsigned>(shown.begin(), shown.end()).size(), 101u);
}

// The file and the reason go with the message: the window words them.
TEST(SendConfigurationWorkerTest, MissingFileOrFolderSendsNothingAndSaysWhy)
{
    for (const bool folder : {false, true}) {
        ConfigurationSend send("x");
        send.window.configurationPath = folder ? send.dir.Path() : send.dir.Path() / "NONE.INI";
        EXPECT_FALSE(
            SendConfigurationWorker(send.window, send.handheld, send.window.configurationPath));
        EXPECT_TRUE(send.handheld.Calls().empty());
        const std::string path = PathText(send.window.configurationPath);
        EXPECT_EQ(
            send.window.Events()[2],
            "unavailable configuration|" +
                (folder
                     ? path + " is a folder"
                     : "cannot open " + path + ": " +
                           std::make_error_code(std::errc::no_such_file_or_directory).message()));
        // The common ending still unlocks.
        EXPECT_EQ(send.window.Events().back(), "unlock");
    }
}

// A data list would replace the handheld's configuration: known by its name, or by its
// header line under any other name.
TEST(SendConfigurationWorkerTest, ADataListIsNotSentAsTheConfiguration)
{
    const std::string list = "ADLIST01.DAT       0ZVK_CE         V 3.02\r\n";
    for (const char* name : {"LIST01.DAT", "zoznam.dat", "ZVK.INI"}) {
        SCOPED_TRACE(name);
        ConfigurationSend send(list);
        send.window.configurationPath = send.dir.Write(
            name, name == std::string("ZVK.INI") ? "\xEF\xBB\xBF" + list : "[Firma]\r\n");
        EXPECT_FALSE(
            SendConfigurationWorker(send.window, send.handheld, send.window.configurationPath));
        EXPECT_TRUE(send.handheld.Calls().empty());
        EXPECT_EQ(send.window.Outcomes(), Strings{"configuration is a list"});
        EXPECT_EQ(send.window.Events().back(), "unlock");
    }
}

TEST(SendConfigurationWorkerTest, FailedCreateOrWriteIsAnErrorAndStartsNothing)
{
    ConfigurationSend refused("[Firma]\r\n");
    refused.handheld.failCreate.insert(u"\\ZVK_CE\\ZVK.INI");
    EXPECT_FALSE(SendConfigurationWorker(refused.window, refused.handheld,
                                         refused.window.configurationPath));
    EXPECT_EQ(refused.window.Outcomes(), Strings{kFailed});

    ConfigurationSend full(std::string(250, 'k'));
    full.handheld.failWriteAfterBytes = 150;
    EXPECT_FALSE(
        SendConfigurationWorker(full.window, full.handheld, full.window.configurationPath));
    EXPECT_EQ(full.window.Outcomes(), Strings{kFailed});
    for (const FakeHandheld* handheld : {&refused.handheld, &full.handheld})
        for (const std::string& call : handheld->Calls())
            EXPECT_EQ(call.find("start"), std::string::npos) << call;
    // The handheld never keeps half a configuration to load later.
    EXPECT_FALSE(full.handheld.files.contains(u"\\ZVK_CE\\ZVK.INI"));

    // Sent whole, but the program that loads it did not start: no success is told.
    ConfigurationSend unloaded("[Firma]\r\n");
    unloaded.handheld.failStart = {u"k"};
    EXPECT_FALSE(SendConfigurationWorker(unloaded.window, unloaded.handheld,
                                         unloaded.window.configurationPath));
    EXPECT_EQ(unloaded.window.Outcomes(), Strings{"program not started"});
}

// A handheld that takes fewer bytes than asked while reporting success holds half a
// file: the send fails as a failed write does; a file that fits exactly is sent.
TEST(SendConfigurationWorkerTest, WriteThatTakesFewerBytesThanAskedIsAFailedWrite)
{
    const std::string bytes(250, 'k');
    ConfigurationSend fits(bytes);
    fits.handheld.writeShortAfterBytes = 250;
    EXPECT_TRUE(SendConfigurationWorker(fits.window, fits.handheld, fits.window.configurationPath));
    EXPECT_EQ(fits.handheld.files.at(u"\\ZVK_CE\\ZVK.INI"), bytes);

    ConfigurationSend shortByOne(bytes);
    shortByOne.handheld.writeShortAfterBytes = 249;
    EXPECT_FALSE(SendConfigurationWorker(shortByOne.window, shortByOne.handheld,
                                         shortByOne.window.configurationPath));
    EXPECT_EQ(shortByOne.window.Outcomes(), Strings{kFailed});
    EXPECT_EQ(shortByOne.handheld.Calls().back(), "delete \\ZVK_CE\\ZVK.INI");
    EXPECT_FALSE(shortByOne.handheld.files.contains(u"\\ZVK_CE\\ZVK.INI"));
}

TEST(SendListWorkerTest, SendsTheChosenListUnderItsOwnNameAndStartsTheProgramWithE)
{
    TempDir dir;
    FakeHandheld handheld;
    RecordingWindowPort window;
    window.receiveFolder = dir.Path() / "prijate";
    window.listToSend = dir.Write("zväzok/Zoznam č. 1.dat", "AD\r\n");
    handheld.files[u"\\ZVK_CE\\Import\\Zoznam č. 1.dat"] = "old list";
    EXPECT_TRUE(SendListWorker(window, handheld, window.receiveFolder));
    // Slovak letters arrive as the same characters, not as their UTF-8 bytes.
    EXPECT_EQ(handheld.files.at(u"\\ZVK_CE\\Import\\Zoznam \u010D. 1.dat"), "AD\r\n");
    EXPECT_EQ(handheld.Calls().back(), "start \\ZVK_CE\\Slave.exe e");
    // Nothing is locked while the question is open.
    EXPECT_EQ(window.Events(),
              (Strings{"ask " + window.receiveFolder.string(), "outcome list sent", "unlock"}));
}

TEST(SendListWorkerTest, CancelledQuestionSendsNothing)
{
    FakeHandheld handheld;
    RecordingWindowPort window;
    EXPECT_TRUE(SendListWorker(window, handheld, window.receiveFolder));
    EXPECT_TRUE(handheld.Calls().empty());
    EXPECT_TRUE(window.Outcomes().empty());
    EXPECT_EQ(window.Events().back(), "unlock");
}

TEST(SendListWorkerTest, UnreadableListOrFailedWriteIsAnError)
{
    TempDir dir;
    FakeHandheld handheld;
    RecordingWindowPort window;
    window.listToSend = dir.Path() / "MISSING.DAT";
    EXPECT_FALSE(SendListWorker(window, handheld, window.receiveFolder));
    EXPECT_EQ(window.Events()[1],
              "unavailable list to send|cannot open " + PathText(window.listToSend.value()) + ": " +
                  std::make_error_code(std::errc::no_such_file_or_directory).message());
    EXPECT_TRUE(handheld.Calls().empty());

    RecordingWindowPort second;
    second.listToSend = dir.Write("LIST01.DAT", std::string(300, 'x'));
    handheld.failWriteAfterBytes = 0;
    EXPECT_FALSE(SendListWorker(second, handheld, second.receiveFolder));
    EXPECT_EQ(second.Outcomes(), Strings{kFailed});
    // Half a list is not left in the import folder, where the next list sent would take
    // it into the handheld's own.
    EXPECT_EQ(handheld.Calls().back(), "delete \\ZVK_CE\\Import\\LIST01.DAT");
    EXPECT_FALSE(handheld.files.contains(u"\\ZVK_CE\\Import\\LIST01.DAT"));

    // A write that reports success for fewer bytes than asked fails the same way.
    RecordingWindowPort third;
    third.listToSend = second.listToSend;
    handheld.failWriteAfterBytes.reset();
    handheld.writeShortAfterBytes = 150;
    EXPECT_FALSE(SendListWorker(third, handheld, third.receiveFolder));
    EXPECT_EQ(third.Outcomes(), Strings{kFailed});
    EXPECT_EQ(handheld.Calls().back(), "delete \\ZVK_CE\\Import\\LIST01.DAT");
    EXPECT_FALSE(handheld.files.contains(u"\\ZVK_CE\\Import\\LIST01.DAT"));
}

} // namespace
} // namespace zvk
