#include "device/handheld_emulator.h"
#include "device/receive_lists_worker.h"
#include "device/reception_journal.h"

#include <thread>

#include <gtest/gtest.h>

#include "device/handheld_selection.h"
#include "files/output_refusal.h"
#include "files/windows_file_name.h"
#include "support/manual_clock.h"
#include "support/recording_window_port.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "support/wire_handheld.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::RecordingWindowPort;
using test::TempDir;
using namespace std::chrono_literals;

// A reception from an emulated handheld seeded with the sample lists.
struct EmulatedReception
{
    TempDir handheldDir;
    TempDir desktop;
    RecordingWindowPort window;
    ReceiveSettings settings;
    test::ManualClock clock;
    std::stop_source stop;
    std::unique_ptr<RemoteApi> handheld;
    // What plays the handheld, reached through `handheld` directly or over the wire.
    HandheldEmulator* emulator = nullptr;

    explicit EmulatedReception(std::string_view emulatorSettings = "")
    {
        EXPECT_TRUE(test::Succeeded(
            PrepareHandheldFolder(HandheldFolder(), SampleListsFolder(ZVK_SAMPLE_DIR))));
        handheldDir.Write("handheld/emulator.ini",
                          "[Emulator]\r\nExportDelayMs=5\r\n" + std::string(emulatorSettings));
        test::TestHandheld opened = test::OpenTestHandheld(HandheldFolder(), clock);
        handheld = std::move(opened.link);
        emulator = opened.emulator;
        // The workers run on a link that is up, as the transfer session leaves it.
        EXPECT_EQ(handheld->CeRapiInit(), kS_OK);
        window.receiveFolder = desktop.Path();
    }

    fs::path HandheldFolder() const
    {
        return handheldDir.Path() / "handheld";
    }

    std::string HandheldLists() const
    {
        return ListFolder(HandheldFolder() / "ZVK_CE" / "Data");
    }

    // The handheld's export delay and the desktop's poll take no real time.
    bool Run()
    {
        bool received = false;
        clock.RunAdvancing(test::ManualClock::Work::WaitsOnTheClock, [&] {
            received = ReceiveListsWorker(window, *handheld, window.Inputs(), settings, clock,
                                          stop.get_token());
        });
        clock.RunAdvancing(test::ManualClock::Work::WaitsForActivities,
                           [&] { emulator->Program().WaitUntilIdle(); });
        return received;
    }
};

const char* const kSamples = "LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT";

TEST(ReceiveFromEmulatorTest, MovesTheSampleListsByteForByteWithTheirSemicolonText)
{
    EmulatedReception reception;
    reception.window.convertReceivedLists = true;
    EXPECT_TRUE(reception.Run());
    for (const char* name : {"LIST0001", "LIST0002", "LIST0003", "STARY001"}) {
        EXPECT_EQ(ReadBytes(reception.desktop.Path() / (std::string(name) + ".DAT")),
                  ReadBytes(fs::path(ZVK_SAMPLE_DIR) / (std::string(name) + ".DAT")));
        EXPECT_EQ(ReadBytes(reception.desktop.Path() / (std::string(name) + ".csv")),
                  ReadBytes(test::TestData("lists/" + std::string(name) + ".csv")));
    }
    EXPECT_EQ(reception.HandheldLists(), "");
    EXPECT_EQ(ListFolder(reception.HandheldFolder()), "ZVK_CE emulator.ini");
    EXPECT_EQ(reception.emulator->Program().Runs(), (std::vector<std::u16string>{u"i", u"x"}));
}

TEST(ReceiveFromEmulatorTest, ThousandListsWithSlovakNamesAndAnEmptyOne)
{
    EmulatedReception reception;
    const fs::path store = reception.HandheldFolder() / "ZVK_CE" / "Data";
    for (int i = 0; i < 1000; ++i)
        reception.handheldDir.Write("handheld/ZVK_CE/Data/Zoznam č " + std::to_string(i) + ".dat",
                                    "AD" + std::to_string(i) + "\r\n");
    reception.handheldDir.Write("handheld/ZVK_CE/Data/PRAZDNY.DAT", "");
    EXPECT_TRUE(reception.Run());
    EXPECT_EQ(ReadBytes(reception.desktop.Path() / PathFromText("Zoznam č 999.dat")), "AD999\r\n");
    EXPECT_EQ(ReadBytes(reception.desktop.Path() / "PRAZDNY.DAT"), "");
    // The 1,005 lists and the journal that names each of them.
    EXPECT_EQ(
        std::distance(fs::directory_iterator(reception.desktop.Path()), fs::directory_iterator()),
        1006);
    const Result<JournalReading> journal = ReadJournal(reception.desktop.Path());
    ASSERT_TRUE(journal);
    EXPECT_EQ(journal->entries.size(), 1005u);
    EXPECT_TRUE(journal->damagedLines.empty());
    EXPECT_EQ(reception.HandheldLists(), "");
}

TEST(ReceiveFromEmulatorTest, ReadFailuresLoseNothing)
{
    EmulatedReception reception("FailReadAfterBytes=500\r\n");
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(ListFolder(reception.desktop.Path()), "");
    EXPECT_EQ(reception.HandheldLists(), kSamples);
    std::vector<std::string> failures;
    for (const char* list : {"LIST0001.DAT", "LIST0002.DAT", "LIST0003.DAT", "STARY001.DAT"})
        failures.push_back(std::string("not received ") + list +
                           " (handheld): reading it from the handheld failed (handheld error 30)");
    EXPECT_EQ(reception.window.Failures(), failures);
}

// Every call is a round trip over the handheld's link: a list of 100 KB comes in seven
// pieces and the empty read at its end, is opened only to be copied, and the byte total
// comes from the listing.
TEST(ReceiveFromEmulatorTest, AListOf100KBTakesAtMostEightReadsOverTheLink)
{
    EmulatedReception reception("CallDelayMs=1\r\nBandwidthBytesPerSecond=1000000\r\n");
    const fs::path store = reception.HandheldFolder() / "ZVK_CE" / "Data";
    fs::remove_all(store);
    std::string list;
    while (list.size() < 102'400)
        list += ReadBytes(fs::path(ZVK_SAMPLE_DIR) / "LIST0001.DAT");
    list.resize(102'400);
    reception.handheldDir.Write("handheld/ZVK_CE/Data/DENNY.DAT", list);
    EXPECT_TRUE(reception.Run());
    EXPECT_EQ(ReadBytes(reception.desktop.Path() / "DENNY.DAT"), list);
    const LinkCallCounts calls = reception.emulator->CallCounts();
    EXPECT_LE(calls.Of(LinkCall::ReadFile), 8u);
    EXPECT_EQ(calls.Of(LinkCall::CreateFile), 1u);
    EXPECT_EQ(calls.Of(LinkCall::GetFileSize), 0u);
    EXPECT_EQ(reception.window.Progress().front(),
              (std::pair<std::uint64_t, std::uint64_t>{kTransferPieceBytes, 102'400}));
}

TEST(ReceiveFromEmulatorTest, ListNamedInTheHandheldsCodePageArrivesUnderItsLetters)
{
    EmulatedReception reception;
    const std::string list = "ADlat\xE8in.DAT      7ZVK_CE         V 3.10\r\n";
    reception.handheldDir.Write("handheld/ZVK_CE/Data/lat\xE8in.DAT", list);
    reception.window.convertReceivedLists = true;
    EXPECT_TRUE(reception.Run());
    EXPECT_EQ(ReadBytes(reception.desktop.Path() / "latčin.DAT"), list);
    // The semicolon text names the list in the code page, as every list text is.
    EXPECT_EQ(ReadBytes(reception.desktop.Path() / "latčin.csv").substr(0, 11), "lat\xE8in.DAT;");
    EXPECT_EQ(reception.HandheldLists(), "");
    EXPECT_EQ(ListFolder(reception.HandheldFolder()), "ZVK_CE emulator.ini");
}

// The handheld's name in its code page and in UTF-8 come to one desktop name; "A.DAT" and
// "A.dat" to one semicolon text. Nothing received in the reception is written over.
TEST(ReceiveFromEmulatorTest, TwoListsOfOneDesktopNameNeverReplaceEachOther)
{
    EmulatedReception reception;
    const std::string utf8List = "ADlat\xC4\x8Din.DAT      7ZVK_CE         V 3.10\r\n";
    const std::string codePageList = "ADlat\xE8in.DAT      7ZVK_CE         V 3.10\r\n";
    const std::string upperList = "ADA.DAT            7ZVK_CE         V 3.10\r\n";
    const std::string lowerList = "ADA.dat            7ZVK_CE         V 3.10\r\n";
    reception.handheldDir.Write("handheld/ZVK_CE/Data/lat\xC4\x8Din.DAT", utf8List);
    reception.handheldDir.Write("handheld/ZVK_CE/Data/lat\xE8in.DAT", codePageList);
    reception.handheldDir.Write("handheld/ZVK_CE/Data/A.DAT", upperList);
    reception.handheldDir.Write("handheld/ZVK_CE/Data/A.dat", lowerList);
    reception.window.convertReceivedLists = true;
    EXPECT_FALSE(reception.Run());
    const fs::path desktop = reception.desktop.Path();
    EXPECT_EQ(ReadBytes(desktop / PathFromText("latčin.DAT")), utf8List);
    EXPECT_EQ(ReadBytes(desktop / "A.DAT"), upperList);
    EXPECT_EQ(ReadBytes(desktop / "A.dat"), lowerList);
    EXPECT_EQ(ReadBytes(desktop / "A.csv").substr(0, 6), "A.DAT;");
    // The second list of a name stays on the handheld; a list whose text would go over
    // another's is received without it. Each is named with its reason.
    EXPECT_EQ(reception.HandheldLists(), "lat\xE8in.DAT");
    const std::string reason = make_error_code(OutputRefusal::WrittenInThisRun).message();
    EXPECT_EQ(reception.window.Failures(),
              (std::vector<std::string>{"not converted A.dat: " + reason,
                                        "not received latčin.DAT: " + reason}));

    // The next reception takes the list that stayed, and keeps the first one's bytes.
    reception.Run();
    EXPECT_EQ(reception.HandheldLists(), "");
    EXPECT_EQ(ReadBytes(desktop / PathFromText("latčin.DAT")), codePageList);
    const fs::path kept = desktop / PathFromText("nahradené");
    const std::string keptNames = ListFolder(kept);
    const std::string keptList = keptNames.substr(0, keptNames.find(' '));
    EXPECT_TRUE(keptList.starts_with("latčin.")) << keptNames;
    EXPECT_EQ(ReadBytes(kept / PathFromText(keptList)), utf8List);
}

// The handheld's own file system holds these names; Windows' does not. They reach the
// reception, which names each and receives the samples beside them.
TEST(ReceiveFromEmulatorTest, ListsNamedAsWindowsDevicesStayOnTheHandheldAndAreNamed)
{
    EmulatedReception reception;
    reception.handheldDir.Write("handheld/ZVK_CE/Data/AUX.DAT", "aux");
    reception.handheldDir.Write("handheld/ZVK_CE/Data/LPT1.txt.dat", "lpt");
    // Windows cannot tell what kind of file AUX.DAT is (it opens the device); a link to
    // nowhere plays such a file here. It is handed over as far as it can be, and named.
    fs::create_symlink("nowhere", reception.HandheldFolder() / "ZVK_CE" / "Data" / "GONE.DAT");
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(ListFolder(reception.desktop.Path()), kSamples);
    EXPECT_EQ(reception.HandheldLists(), "AUX.DAT GONE.DAT LPT1.txt.dat");
    const std::string reason = make_error_code(WindowsNameFault::ReservedDeviceName).message();
    EXPECT_EQ(reception.window.Failures(),
              (std::vector<std::string>{"not received AUX.DAT: " + reason,
                                        "not received GONE.DAT (handheld): the handheld could "
                                        "not open it (handheld error 2)",
                                        "not received LPT1.txt.dat: " + reason}));
}

// A list the handheld program could not write to the top folder (here a folder of its
// name stands there; under Windows, a device name) is found still, and named.
TEST(ReceiveFromEmulatorTest, AListTheExportCouldNotWriteIsFoundAndNamed)
{
    EmulatedReception reception;
    fs::create_directories(reception.HandheldFolder() / "LIST0002.DAT");
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(ListFolder(reception.desktop.Path()), "LIST0001.DAT LIST0003.DAT STARY001.DAT");
    EXPECT_EQ(reception.HandheldLists(), "LIST0002.DAT");
    EXPECT_EQ(reception.window.Failures(),
              std::vector<std::string>{"not received LIST0002.DAT (handheld): the handheld "
                                       "could not open it (handheld error 2)"});
}

// Lists received into the folder that plays the handheld would be deleted as they arrive.
TEST(ReceiveFromEmulatorTest, AReceiveFolderInTheHandheldsOwnIsRefusedBeforeAnything)
{
    // "link" is a symbolic link to the handheld's folder, where links can be made.
    for (const char* inside :
         {"handheld", "handheld/ZVK_CE/Data", "handheld/ZVK_CE/../new", "link/ZVK_CE"}) {
        SCOPED_TRACE(inside);
        EmulatedReception reception;
#ifdef _WIN32
        if (std::string_view(inside).starts_with("link"))
            continue;
#else
        fs::create_directory_symlink(reception.HandheldFolder(),
                                     reception.handheldDir.Path() / "link");
#endif
        reception.window.receiveFolder = reception.handheldDir.Path() / inside;
        EXPECT_FALSE(reception.Run());
        EXPECT_EQ(reception.HandheldLists(), kSamples);
        EXPECT_TRUE(reception.emulator->Program().Runs().empty());
        EXPECT_EQ(reception.window.Outcomes(),
                  std::vector<std::string>{"receive folder in handheld|" +
                                           PathText(reception.window.receiveFolder) + "|" +
                                           PathText(reception.HandheldFolder())});
        EXPECT_EQ(reception.window.Events().back(), "unlock");
    }
    // Beside the handheld's folder, as `make run` has it, lists are received.
    EmulatedReception beside;
    beside.window.receiveFolder = beside.handheldDir.Path() / "handheld-lists";
    EXPECT_TRUE(beside.Run());
}

TEST(ReceiveFromEmulatorTest, WaitForAnExportThatNeverEndsIsToldAndGivenUp)
{
    EmulatedReception reception("ExportMarker=0\r\n");
    // When each was said, in the clock's time from the start of the reception.
    std::vector<test::ManualClock::Duration> told;
    std::vector<test::ManualClock::Duration> abandoned;
    const test::ManualClock::TimePoint start = reception.clock.Now();
    reception.settings.exportWaitLimit = 5s;
    reception.settings.exportTakesLong = [&] { told.push_back(reception.clock.Now() - start); };
    reception.settings.exportAbandoned = [&] {
        abandoned.push_back(reception.clock.Now() - start);
    };
    EXPECT_FALSE(reception.Run());
    // The polls come a second apart: the notice at the poll of the third second, the
    // giving up at the poll that has waited the limit itself.
    EXPECT_EQ(told, std::vector<test::ManualClock::Duration>{3s});
    EXPECT_EQ(abandoned, std::vector<test::ManualClock::Duration>{5s});
    EXPECT_EQ(ListFolder(reception.desktop.Path()), "");
    EXPECT_EQ(reception.HandheldLists(), kSamples);
    EXPECT_EQ(reception.emulator->Program().Runs(), std::vector<std::u16string>{u"i"});
    EXPECT_TRUE(reception.window.Outcomes().empty());
    EXPECT_EQ(reception.window.Events().back(), "unlock");
}

TEST(ReceiveFromEmulatorTest, ClosingWhileTheMarkerNeverComesLosesNothing)
{
    EmulatedReception reception("ExportMarker=0\r\n");
    bool received = true;
    std::jthread worker([&] {
        received =
            ReceiveListsWorker(reception.window, *reception.handheld, reception.window.Inputs(),
                               reception.settings, reception.clock, reception.stop.get_token());
    });
    // A few polls that find no marker, then the window closes.
    for (int poll = 0; poll < 3; ++poll)
        ASSERT_TRUE(reception.clock.AdvanceWhenWaiting(1s));
    reception.stop.request_stop();
    worker.join();
    EXPECT_FALSE(received);
    EXPECT_EQ(ListFolder(reception.desktop.Path()), "");
    EXPECT_EQ(reception.HandheldLists(), kSamples);
    EXPECT_TRUE(reception.window.Outcomes().empty());
}

} // namespace
} // namespace zvk
