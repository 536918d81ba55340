#include "device/receive_lists_worker.h"

#include <set>
#include <thread>
#include <tuple>

#include <gtest/gtest.h>

#include "device/fake_handheld.h"
#include "device/reception_journal.h"
#include "files/atomic_file.h"
#include "support/file_size_limit.h"
#include "support/manual_clock.h"
#include "support/recording_window_port.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "text/path_text.h"
#include "text/sha256.h"

#ifdef _WIN32
#include <windows.h>

#include "files/windows_refusal.h"
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::FakeHandheld;
using test::ListFolder;
using test::ReadBytes;
using test::RecordingWindowPort;
using test::TempDir;
using Strings = std::vector<std::string>;
using Progress = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

// A reception from the in-memory handheld into a fresh receive folder.
struct Reception
{
    TempDir dir;
    FakeHandheld handheld;
    RecordingWindowPort window;
    ReceiveSettings settings;
    test::ManualClock clock;
    std::stop_source stop;

    Reception()
    {
        window.receiveFolder = dir.Path();
    }

    // The poll for the marker takes no real time.
    bool Run()
    {
        bool received = false;
        clock.RunAdvancing(test::ManualClock::Work::WaitsOnTheClock, [&] {
            received = ReceiveListsWorker(window, handheld, window.Inputs(), settings, clock,
                                          stop.get_token());
        });
        return received;
    }

    bool StartedWithX() const
    {
        const Strings calls = handheld.Calls();
        return std::find(calls.begin(), calls.end(), "start \\ZVK_CE\\Slave.exe x") != calls.end();
    }
};

TEST(ReceiveListsWorkerTest, CopiesEveryListWithOneRunningByteCount)
{
    Reception reception;
    const std::string first(20000, '1');
    const std::string third(1000, '3');
    reception.handheld.files = {{u"\\A.DAT", first}, {u"\\B.DAT", ""}, {u"\\C.DAT", third}};
    EXPECT_TRUE(reception.Run());
    // A piece of 16 KiB and the rest; the empty read at each list's end tells the same
    // count once more.
    Progress expected;
    for (const std::uint64_t done : {16384, 20000, 20000, 20000, 21000, 21000})
        expected.emplace_back(done, 21000);
    expected.emplace_back(100, 100);
    EXPECT_EQ(reception.window.Progress(), expected);
    EXPECT_EQ(ListFolder(reception.dir.Path()), "A.DAT B.DAT C.DAT");
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "A.DAT"), first);
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "B.DAT"), "");
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "C.DAT"), third);
    EXPECT_TRUE(reception.handheld.files.empty());
    EXPECT_EQ(reception.window.Events(),
              (Strings{"lock", "stage preparing export", "stage receiving", "outcome received",
                       "unlock"}));
}

// A list received under the name of a desktop list keeps that list when their bytes
// differ: the earlier one, and its semicolon text, move to the folder of replaced lists
// under the time of the replacement, and the window is told where. The same bytes keep
// nothing.
TEST(ReceiveListsWorkerTest, AnEarlierListOfTheNameIsKeptUnlessItHasTheSameBytes)
{
    Reception reception;
    reception.dir.Write("A.DAT", "measured yesterday");
    reception.dir.Write("A.csv", "yesterday's text");
    reception.dir.Write("B.DAT", "received before");
    reception.handheld.files = {{u"\\A.DAT", "measured today"}, {u"\\B.DAT", "received before"}};
    EXPECT_TRUE(reception.Run());
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "A.DAT"), "measured today");
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "B.DAT"), "received before");
    EXPECT_EQ(ListFolder(reception.dir.Path()), "A.DAT B.DAT nahradené");
    const fs::path kept = reception.dir.Path() / PathFromText("nahradené");
    const std::string keptNames = ListFolder(kept);
    ASSERT_EQ(keptNames.size(), std::string("A.20261208-152832.DAT A.20261208-152832.csv").size())
        << keptNames;
    const std::string keptList = keptNames.substr(0, keptNames.find(' '));
    EXPECT_EQ(ReadBytes(kept / keptList), "measured yesterday");
    EXPECT_EQ(ReadBytes(kept / (keptList.substr(0, keptList.size() - 3) + "csv")),
              "yesterday's text");
    const Strings events = reception.window.Events();
    EXPECT_EQ(events.at(3), "kept A.DAT as nahradené/" + keptList);
    EXPECT_EQ(events.at(4), "outcome received");
    // The journal names both lists as received, and where the earlier A.DAT went.
    const Result<JournalReading> journal = ReadJournal(reception.dir.Path());
    ASSERT_TRUE(test::Succeeded(journal));
    ASSERT_EQ(journal->entries.size(), 2u);
    const JournalEntry& a = journal->entries[0];
    EXPECT_EQ(std::tie(a.handheldName, a.desktopName, a.size, a.sha256, a.textWritten),
              std::make_tuple(std::string("A.DAT"), std::string("A.DAT"), std::uint64_t{14},
                              Sha256Hex("measured today"), false));
    EXPECT_EQ(a.keptAs, PathText(kept / keptList));
    EXPECT_EQ(journal->entries[1].keptAs, "");
    EXPECT_EQ(journal->entries[1].sha256, Sha256Hex("received before"));
}

// A journal that cannot be written stops the reception before the handheld deletes the
// list it could not name, and names why; the lists after it are not taken.
TEST(ReceiveListsWorkerTest, AJournalThatCannotBeWrittenStopsBeforeAnyDelete)
{
    Reception reception;
    fs::create_directory(reception.dir.Path() / "prijmy.log");
    reception.handheld.files = {{u"\\A.DAT", "a"}, {u"\\B.DAT", "b"}};
    reception.window.convertReceivedLists = true;
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(reception.handheld.files.size(), 2u);
    EXPECT_EQ(ListFolder(reception.dir.Path()), "A.DAT A.csv");
    EXPECT_EQ(reception.window.Failures(),
              Strings{"not journaled A.DAT: " +
                      std::make_error_code(std::errc::is_a_directory).message()});
    EXPECT_TRUE(reception.StartedWithX());
}

// Two handheld names that come to one desktop name (one in UTF-16, one in the handheld's
// code page) over two receptions: the second list no longer takes the first one's place
// unseen, and neither list is lost.
TEST(ReceiveListsWorkerTest, TheSecondOfTwoNamesForOneFileKeepsTheFirst)
{
    TempDir folder;
    for (const char* bytes : {"first list", "second list"}) {
        Reception reception;
        reception.window.receiveFolder = folder.Path();
        reception.handheld.files = {{u"\\ZOZNAM.DAT", bytes}};
        EXPECT_TRUE(reception.Run());
    }
    EXPECT_EQ(ReadBytes(folder.Path() / "ZOZNAM.DAT"), "second list");
    const fs::path kept = folder.Path() / PathFromText("nahradené");
    const std::string keptList = ListFolder(kept);
    EXPECT_EQ(ReadBytes(kept / keptList), "first list");
}

TEST(ReceiveListsWorkerTest, AsksForTheExportFirstAndHandsTheListsBackLast)
{
    Reception reception;
    reception.handheld.files = {{u"\\A.DAT", "a"}};
    EXPECT_TRUE(reception.Run());
    EXPECT_EQ(reception.handheld.Calls(),
              (Strings{"delete \\ZVK_CE\\Export\\export.tmp", "start \\ZVK_CE\\Slave.exe i",
                       "find \\ZVK_CE\\Export\\export.tmp", "free",
                       "delete \\ZVK_CE\\Export\\export.tmp", "find \\*.dat", "open \\A.DAT",
                       "close \\A.DAT", "delete \\A.DAT", "start \\ZVK_CE\\Slave.exe x", "free"}));
    EXPECT_EQ(reception.window.Events().back(), "unlock");
}

// The total comes from the listing; a list that grew or shrank after it is still copied
// to its end, and the total follows, so that the bar ends full and never runs past it.
TEST(ReceiveListsWorkerTest, ListThatChangedSinceTheListingIsCopiedWholeAndTheTotalFollows)
{
    Reception reception;
    const std::string grown(20000, 'g');
    reception.handheld.files = {{u"\\A.DAT", grown}, {u"\\B.DAT", "shrunk"}};
    reception.handheld.listedSizes = {{u"\\A.DAT", 100}, {u"\\B.DAT", 500}};
    EXPECT_TRUE(reception.Run());
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "A.DAT"), grown);
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "B.DAT"), "shrunk");
    EXPECT_EQ(reception.window.Progress(), (Progress{{16384, 16884},
                                                     {20000, 20500},
                                                     {20000, 20500},
                                                     {20006, 20500},
                                                     {20006, 20006},
                                                     {100, 100}}));
}

TEST(ReceiveListsWorkerTest, ListIsDeletedOnTheHandheldOnlyWhenItsCopyIsComplete)
{
    Reception reception;
    const std::string list(1234, 'x');
    reception.handheld.files = {{u"\\LIST01.DAT", list}};
    std::string onDesktopAtDeletion;
    reception.handheld.onDelete = [&](const std::u16string& path) {
        if (path == u"\\LIST01.DAT")
            onDesktopAtDeletion = ListFolder(reception.dir.Path()) + ":" +
                                  ReadBytes(reception.dir.Path() / "LIST01.DAT");
    };
    EXPECT_TRUE(reception.Run());
    EXPECT_EQ(onDesktopAtDeletion, "LIST01.DAT:" + list);
}

// Stands in for the sync of the receive folder after a list took its name there.
struct FolderSyncs
{
    static inline std::vector<std::string>* s_events = nullptr;
    static inline int s_failWith = 0;

    static bool Sync(const fs::path& /*folder*/)
    {
        s_events->push_back("folder synced");
        errno = s_failWith;
        return s_failWith == 0;
    }

    explicit FolderSyncs(std::vector<std::string>& events, int failWith = 0)
        : m_system(ReplaceSyncFolder(&Sync))
    {
        s_events = &events;
        s_failWith = failWith;
    }

    ~FolderSyncs()
    {
        ReplaceSyncFolder(m_system);
    }

    SyncFolderFunction m_system;
};

// A power cut right after the handheld's delete must find the list's name on the disk.
TEST(ReceiveListsWorkerTest, TheReceiveFolderReachesTheDiskBeforeTheHandheldDeletes)
{
    Reception reception;
    reception.handheld.files = {{u"\\A.DAT", "a"}};
    Strings events;
    reception.handheld.onDelete = [&](const std::u16string& path) {
        if (path == u"\\A.DAT")
            events.push_back("handheld deletes A.DAT");
    };
    {
        const FolderSyncs syncs(events);
        EXPECT_TRUE(reception.Run());
    }
    // The list's name, then the journal's (made by this reception), before the delete.
    EXPECT_EQ(events, (Strings{"folder synced", "folder synced", "handheld deletes A.DAT"}));

    Reception unsynced;
    unsynced.handheld.files = {{u"\\A.DAT", "a"}};
    Strings failed;
    {
        const FolderSyncs syncs(failed, EIO);
        EXPECT_FALSE(unsynced.Run());
    }
    EXPECT_TRUE(unsynced.handheld.files.contains(u"\\A.DAT"));
    EXPECT_EQ(
        unsynced.window.Failures(),
        Strings{"not received A.DAT: " + std::make_error_code(std::errc::io_error).message()});
}

TEST(ReceiveListsWorkerTest, NoListsOrAFailedSearchEndsWithoutHandingBack)
{
    Reception none;
    EXPECT_TRUE(none.Run());
    EXPECT_EQ(none.window.Outcomes(), Strings{"nothing to receive"});
    EXPECT_FALSE(none.StartedWithX());
    EXPECT_EQ(none.window.Events().back(), "unlock");

    Reception failed;
    failed.handheld.files = {{u"\\A.DAT", "a"}};
    failed.handheld.failSearch = true;
    EXPECT_FALSE(failed.Run());
    EXPECT_EQ(failed.window.Outcomes(), Strings{"search failed"});
    EXPECT_FALSE(failed.StartedWithX());
    EXPECT_EQ(ListFolder(failed.dir.Path()), "");
}

TEST(ReceiveListsWorkerTest, ReadFailureLeavesThatListOnTheHandheldAndGoesOn)
{
    Reception reception;
    reception.handheld.files = {{u"\\Zoznam \u010D.DAT", std::string(250, 'a')}, {u"\\B.DAT", "b"}};
    reception.handheld.failReadAfterBytes = 150;
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(ListFolder(reception.dir.Path()), "B.DAT");
    EXPECT_TRUE(reception.handheld.files.contains(u"\\Zoznam \u010D.DAT"));
    EXPECT_FALSE(reception.handheld.files.contains(u"\\B.DAT"));
    // Named in UTF-8 whatever the desktop's code page.
    EXPECT_EQ(reception.window.Failures(),
              Strings{"not received Zoznam č.DAT (handheld): reading it from the handheld failed "
                      "(handheld error 30)"});
    EXPECT_TRUE(reception.window.Outcomes().empty());
    EXPECT_TRUE(reception.StartedWithX());
}

// The handheld's own reason ends the detail; a link that broke is named as such, since
// then the list itself is sound.
TEST(ReceiveListsWorkerTest, ListThatStaysOnTheHandheldIsNamedWithTheHandheldsReason)
{
    Reception broken;
    broken.handheld.files = {{u"\\A.DAT", std::string(250, 'a')}};
    broken.handheld.failReadAfterBytes = 100;
    broken.handheld.linkBreaksOnFailedRead = true;
    EXPECT_FALSE(broken.Run());
    EXPECT_EQ(broken.window.Failures(),
              Strings{"not received A.DAT (handheld): reading it from the handheld failed (the "
                      "connection to the handheld broke)"});

    Reception unopened;
    unopened.handheld.files = {{u"\\A.DAT", "a"}};
    unopened.handheld.failCreate = {u"\\A.DAT"};
    EXPECT_FALSE(unopened.Run());
    EXPECT_EQ(unopened.window.Failures(),
              Strings{"not received A.DAT (handheld): the handheld could not open it (handheld "
                      "error 2)"});
    EXPECT_TRUE(unopened.handheld.files.contains(u"\\A.DAT"));
}

// The handheld's answers that end or change a reception are heard: a program that cannot
// be started would leave the reception waiting for a marker for ever, and a list the
// handheld did not delete would come again unnoticed.
TEST(ReceiveListsWorkerTest, AHandheldThatFailsToStartOrToDeleteIsNamed)
{
    Reception unstarted;
    unstarted.handheld.files = {{u"\\A.DAT", "a"}};
    unstarted.handheld.failStart = {u"i"};
    EXPECT_FALSE(unstarted.Run());
    EXPECT_EQ(unstarted.window.Outcomes(), Strings{"program not started"});
    EXPECT_EQ(ListFolder(unstarted.dir.Path()), "");
    EXPECT_EQ(unstarted.window.Events().back(), "unlock");

    Reception undeleted;
    undeleted.handheld.files = {{u"\\A.DAT", "a"}, {u"\\B.DAT", "b"}};
    undeleted.handheld.failDelete = {u"\\A.DAT"};
    EXPECT_FALSE(undeleted.Run());
    EXPECT_EQ(ListFolder(undeleted.dir.Path()), "A.DAT B.DAT");
    EXPECT_EQ(undeleted.window.Failures(),
              Strings{"still on the handheld A.DAT: the handheld did not delete it (handheld "
                      "error 5)"});
    EXPECT_TRUE(undeleted.StartedWithX());

    Reception undropped; // the lists taken stay in the handheld program's own
    undropped.handheld.files = {{u"\\A.DAT", "a"}};
    undropped.handheld.failStart = {u"x"};
    EXPECT_FALSE(undropped.Run());
    EXPECT_EQ(ListFolder(undropped.dir.Path()), "A.DAT");
    EXPECT_EQ(undropped.window.Outcomes(), Strings{"program not started"});
}

TEST(ReceiveListsWorkerTest, MissingFolderIsMadeWithItsParents)
{
    Reception reception;
    reception.handheld.files = {{u"\\A.DAT", "a"}, {u"\\B.DAT", "b"}};
    reception.window.receiveFolder = reception.dir.Path() / "prijate" / "2026" / "marec";
    EXPECT_TRUE(reception.Run());
    EXPECT_EQ(ListFolder(reception.window.receiveFolder), "A.DAT B.DAT");
    EXPECT_TRUE(reception.handheld.files.empty());
}

std::string Reason(std::errc code)
{
    return std::make_error_code(code).message();
}

// A receive folder left empty is the working folder the transfer was given; with none either,
// nothing is written anywhere and the lists stay.
TEST(ReceiveListsWorkerTest, AnEmptyReceiveFolderIsTheGivenWorkingFolderAndNeverThisProcesss)
{
    Reception working;
    working.handheld.files = {{u"\\A.DAT", "a"}};
    working.window.receiveFolder.clear();
    working.window.workingFolder = working.dir.Path() / "pracovny";
    EXPECT_TRUE(working.Run());
    EXPECT_EQ(ListFolder(working.window.workingFolder), "A.DAT");

    Reception none;
    none.handheld.files = {{u"\\A.DAT", "a"}};
    none.window.receiveFolder.clear();
    EXPECT_FALSE(none.Run());
    EXPECT_EQ(none.handheld.files.size(), 1u);
    const Strings events = none.window.Events();
    EXPECT_EQ(events[events.size() - 2], "unavailable receive folder|no receive folder is set");
    EXPECT_FALSE(fs::exists("A.DAT"));
}

TEST(ReceiveListsWorkerTest, EachListThatStaysIsNamedWithTheSystemsReason)
{
    // A file stands where the folder would be made, or is named as the folder: said
    // once, and every list stays on the handheld.
    for (const char* folder : {"subor/prijate", "subor"}) {
        Reception blocked;
        blocked.handheld.files = {{u"\\A.DAT", "a"}, {u"\\B.DAT", "b"}};
        blocked.dir.Write("subor", "");
        blocked.window.receiveFolder = blocked.dir.Path() / folder;
        EXPECT_FALSE(blocked.Run());
        EXPECT_EQ(blocked.handheld.files.size(), 2u);
        EXPECT_TRUE(blocked.StartedWithX());
        EXPECT_TRUE(blocked.window.Failures().empty());
        const Strings events = blocked.window.Events();
        EXPECT_EQ(events[events.size() - 2], "unavailable receive folder|cannot create folder " +
                                                 PathText(blocked.window.receiveFolder) + ": " +
                                                 Reason(std::errc::not_a_directory));
    }

    Reception folderInTheWay; // a folder of the list's name
    folderInTheWay.handheld.files = {{u"\\A.DAT", "a"}, {u"\\B.DAT", "b"}};
    fs::create_directories(folderInTheWay.dir.Path() / "A.DAT");
    EXPECT_FALSE(folderInTheWay.Run());
    EXPECT_EQ(folderInTheWay.window.Failures(),
              Strings{"not received A.DAT: " + Reason(std::errc::is_a_directory)});
    EXPECT_EQ(ReadBytes(folderInTheWay.dir.Path() / "B.DAT"), "b");
    EXPECT_TRUE(folderInTheWay.handheld.files.contains(u"\\A.DAT"));
}

TEST(ReceiveListsWorkerTest, AFolderThatTakesNoNewFilesIsNamedAndTheListStays)
{
    TempDir dir;
    const fs::path folder = dir.Path() / "readonly";
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::all & ~(fs::perms::owner_write | fs::perms::group_write |
                                               fs::perms::others_write));
    fs::permissions(dir.Path(), fs::perms::others_exec, fs::perm_options::add);
    EXPECT_TRUE(test::AsOrdinaryUser([&] {
        Reception reception;
        reception.window.receiveFolder = folder;
        reception.handheld.files = {{u"\\A.DAT", "a"}};
        return !reception.Run() && reception.handheld.files.size() == 1 && fs::is_empty(folder) &&
               reception.window.Failures() ==
                   Strings{"not received A.DAT: " + Reason(std::errc::permission_denied)};
    }));
}

// The window shortens what it shows; the worker hands it every list that stayed,
// past the twenty that a message box names.
TEST(ReceiveListsWorkerTest, EveryListThatStaysReachesTheWindow)
{
    Reception reception;
    Strings expected;
    for (int i = 10; i < 31; ++i) {
        const std::string name = "L" + std::to_string(i) + ".DAT";
        const std::u16string path = u"\\" + std::u16string(name.begin(), name.end());
        reception.handheld.files[path] = "x";
        reception.handheld.failCreate.insert(path);
        expected.push_back("not received " + name +
                           " (handheld): the handheld could not open it (handheld error 2)");
    }
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(reception.window.Failures(), expected);
    EXPECT_EQ(reception.handheld.files.size(), 21u);
}

TEST(ReceiveListsWorkerTest, FullDiskLeavesTheListOnTheHandheldAndNoPartialFile)
{
    Reception reception;
    reception.handheld.files = {{u"\\BIG.DAT", std::string(20000, 'b')}, {u"\\SMALL.DAT", "s"}};
    bool received = true;
    {
        const test::FileSizeLimit limit(4096);
        received = reception.Run();
    }
    EXPECT_FALSE(received);
    EXPECT_EQ(ListFolder(reception.dir.Path()), "SMALL.DAT");
    EXPECT_TRUE(reception.handheld.files.contains(u"\\BIG.DAT"));
    EXPECT_EQ(reception.window.Failures(),
              Strings{"not received BIG.DAT: " +
                      std::make_error_code(std::errc::file_too_large).message()});
}

TEST(ReceiveListsWorkerTest, KeepsFullNamesWithSlovakLettersAndSpaces)
{
    Reception reception;
    reception.handheld.files = {{u"\\ABCDEFGHIJKLMNOP.DAT", "long"},
                                {u"\\Zoznam \u010D. 5 \u2013 Hronec.dat", "sk"}};
    EXPECT_TRUE(reception.Run());
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "ABCDEFGHIJKLMNOP.DAT"), "long");
    EXPECT_EQ(ReadBytes(reception.dir.Path() / PathFromText("Zoznam č. 5 – Hronec.dat")), "sk");
    EXPECT_TRUE(reception.handheld.files.empty());
}

// A name Windows cannot hold is refused before a byte is read or written, on every
// system: the list stays on the handheld and is named with the rule it breaks, and the
// reception is no success; the lists beside it arrive.
TEST(ReceiveListsWorkerTest, NamesWindowsCannotHoldStayOnTheHandheldAndAreNamed)
{
    Reception reception;
    reception.handheld.files = {{u"\\AUX.DAT", "aux"},      {u"\\lpt1.txt.dat", "lpt"},
                                {u"\\Con .dat", "con"},     {u"\\A:B.DAT", "colon"},
                                {u"\\TAB\tX.DAT", "tab"},   {u"\\COM10.DAT", "com10"},
                                {u"\\LIST0001.DAT", "list"}};
    reception.window.convertReceivedLists = true;
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(ListFolder(reception.dir.Path()), "COM10.DAT COM10.csv LIST0001.DAT LIST0001.csv");
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "LIST0001.DAT"), "list");
    const std::string device = "is a device name on Windows (CON, PRN, AUX, NUL, COM1-COM9, "
                               "LPT1-LPT9, with any extension)";
    const std::string character =
        "holds a character that Windows allows in no name (< > : \" / \\ | ? *)";
    // In the order of the handheld's search, which sorts by UTF-16 units.
    EXPECT_EQ(reception.window.Failures(),
              (Strings{"not received A:B.DAT: " + character, "not received AUX.DAT: " + device,
                       "not received Con .dat: " + device,
                       "not received TAB?X.DAT: holds a control character, which Windows "
                       "allows in no name",
                       "not received lpt1.txt.dat: " + device}));
    for (const std::u16string refused :
         {u"\\AUX.DAT", u"\\lpt1.txt.dat", u"\\Con .dat", u"\\A:B.DAT", u"\\TAB\tX.DAT"}) {
        EXPECT_TRUE(reception.handheld.files.contains(refused)) << test::Ascii(refused);
        const Strings calls = reception.handheld.Calls();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "delete " + test::Ascii(refused)), 0);
    }
    EXPECT_TRUE(reception.window.Outcomes().empty());
    EXPECT_TRUE(reception.StartedWithX());
}

TEST(ReceiveListsWorkerTest, TheConversionChosenAtTheStartHoldsForEveryList)
{
    const std::string list = "ADLIST01.DAT       0ZVK_CE         V 3.02\r\n";
    for (const bool convert : {false, true}) {
        Reception reception;
        reception.handheld.files = {{u"\\LIST01.DAT", list}, {u"\\LIST02.DAT", list}};
        reception.window.convertReceivedLists = convert;
        EXPECT_TRUE(reception.Run());
        EXPECT_EQ(ListFolder(reception.dir.Path()),
                  convert ? "LIST01.DAT LIST01.csv LIST02.DAT LIST02.csv"
                          : "LIST01.DAT LIST02.DAT");
    }
}

TEST(ReceiveListsWorkerTest, ListWhoseTextCannotBeWrittenStaysReceivedAndIsNamed)
{
    Reception reception;
    const std::string list = "ADLIST01.DAT       0ZVK_CE         V 3.02\r\n";
    reception.handheld.files = {{u"\\LIST01.DAT", list}, {u"\\LIST02.DAT", list}};
    reception.window.convertReceivedLists = true;
    fs::create_directories(reception.dir.Path() / "LIST01.csv");
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(ListFolder(reception.dir.Path()), "LIST01.DAT LIST01.csv LIST02.DAT LIST02.csv");
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "LIST01.DAT"), list);
    EXPECT_TRUE(reception.handheld.files.empty());
    EXPECT_TRUE(reception.StartedWithX());
    EXPECT_EQ(reception.window.Failures(),
              Strings{"not converted LIST01.DAT: " +
                      std::make_error_code(std::errc::is_a_directory).message()});
    EXPECT_TRUE(reception.window.Outcomes().empty());
}

#ifdef _WIN32
// A semicolon text that another program keeps open (LIST01.csv in a spreadsheet): the list
// is received all the same, and the text is named as open in another program.
TEST(ReceiveListsWorkerTest, ATextHeldOpenLeavesItsListReceivedAndIsNamed)
{
    Reception reception;
    const std::string list = "ADLIST01.DAT       0ZVK_CE         V 3.02\r\n";
    reception.handheld.files = {{u"\\LIST01.DAT", list}};
    reception.window.convertReceivedLists = true;
    const fs::path text = reception.dir.Write("LIST01.csv", "earlier");
    const HANDLE spreadsheet = CreateFileW(text.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(spreadsheet, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(reception.Run());
    CloseHandle(spreadsheet);
    EXPECT_EQ(ReadBytes(reception.dir.Path() / "LIST01.DAT"), list);
    EXPECT_EQ(ReadBytes(text), "earlier");
    EXPECT_EQ(ListFolder(reception.dir.Path()), "LIST01.DAT LIST01.csv");
    EXPECT_TRUE(reception.handheld.files.empty());
    const std::error_code held = WindowsRefusal::HeldByAnotherProgram;
    EXPECT_EQ(reception.window.Failures(), Strings{"not converted LIST01.DAT: " + held.message()});
}

// A receive folder that leaves no room for a list's name within Windows' limit is named
// before anything is made or taken from the handheld.
TEST(ReceiveListsWorkerTest, AReceiveFolderOverWindowsLimitIsNamedAndTheListsStay)
{
    Reception reception;
    reception.handheld.files = {{u"\\A.DAT", "a"}};
    reception.window.receiveFolder = reception.dir.Path() / std::string(250, 'p');
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(reception.handheld.files.size(), 1u);
    EXPECT_EQ(ListFolder(reception.dir.Path()), "");
    const Strings events = reception.window.Events();
    const std::error_code tooLong = WindowsRefusal::PathTooLong;
    EXPECT_EQ(events[events.size() - 2], "unavailable receive folder|cannot create folder " +
                                             PathText(reception.window.receiveFolder) + ": " +
                                             tooLong.message());
}
#endif

TEST(ReceiveListsWorkerTest, StopEndsTheCopyWithoutAPartialFileOrAMessage)
{
    Reception reception;
    reception.handheld.files = {{u"\\A.DAT", "a"}, {u"\\B.DAT", std::string(500, 'b')}};
    reception.window.onProgress = [&](std::uint64_t done, std::uint64_t) {
        if (done > 100)
            reception.stop.request_stop();
    };
    EXPECT_FALSE(reception.Run());
    EXPECT_EQ(ListFolder(reception.dir.Path()), "A.DAT");
    EXPECT_TRUE(reception.handheld.files.contains(u"\\B.DAT"));
    EXPECT_TRUE(reception.window.Outcomes().empty());
    // The handheld drops the list that was taken.
    EXPECT_TRUE(reception.StartedWithX());
    EXPECT_EQ(reception.window.Events().back(), "unlock");
}

TEST(ReceiveListsWorkerTest, StopEndsTheWaitForAMarkerThatNeverComes)
{
    Reception reception;
    bool received = true;
    std::jthread worker([&] {
        received =
            ReceiveListsWorker(reception.window, reception.handheld, reception.window.Inputs(),
                               reception.settings, reception.clock, reception.stop.get_token());
    });
    // The time stands still: the first poll never comes.
    ASSERT_TRUE(reception.clock.AwaitWaiters(1));
    reception.stop.request_stop();
    worker.join();
    EXPECT_FALSE(received);
    EXPECT_EQ(reception.handheld.Calls().size(), 2u); // marker deleted, export asked for
    EXPECT_EQ(reception.window.Events().back(), "unlock");
}

TEST(ReceiveListsWorkerTest, LargeListShowsEveryPercentageInTurn)
{
    // Beyond 2^32 / 100 bytes, where done * 100 no longer fits in 32 bits.
    constexpr std::uint64_t kSize = 45'000'000;
    Reception reception;
    reception.handheld.generatedFiles = {{u"\\BIG.DAT", kSize}};
    EXPECT_TRUE(reception.Run());
    const std::vector<unsigned> shown = reception.window.Percentages();
    // Every piece, the empty read at the end, and the closing 100%.
    ASSERT_EQ(shown.size(), (kSize + kTransferPieceBytes - 1) / kTransferPieceBytes + 2);
    EXPECT_EQ(shown.front(), 0u);
    EXPECT_EQ(shown.back(), 100u);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    // Rising a step at a time: every percentage is shown, none is skipped.
    EXPECT_EQ(std::set<unsigned>(shown.begin(), shown.end()).size(), 101u);
    EXPECT_EQ(shown[shown.size() / 2], 50u);
    EXPECT_EQ(fs::file_size(reception.dir.Path() / "BIG.DAT"), kSize);
}

} // namespace
} // namespace zvk
