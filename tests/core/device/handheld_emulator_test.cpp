#include "device/handheld_emulator.h"

#include <cstring>
#include <future>

#include <gtest/gtest.h>

#include "device/fake_handheld.h"
#include "device/handheld_contract.h"
#include "device/handheld_selection.h"
#include "support/environment.h"
#include "support/manual_clock.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::TempDir;
using namespace std::chrono_literals;

// An emulated handheld in a fresh folder, with the given emulator.ini.
struct Emulated
{
    TempDir dir;
    std::unique_ptr<HandheldEmulator> handheld;

    explicit Emulated(std::string_view settings = "[Emulator]\r\nExportDelayMs=1\r\n",
                      Clock& clock = SteadyClock())
    {
        dir.Write("emulator.ini", settings);
        handheld = std::make_unique<HandheldEmulator>(dir.Path(), clock);
    }

    fs::path Path(std::string_view relative) const
    {
        return dir.Path() / relative;
    }

    std::vector<std::u16string> Find(std::u16string_view pattern)
    {
        std::uint32_t count = 0;
        CeFindData* found = nullptr;
        EXPECT_TRUE(handheld->CeFindAllFiles(std::u16string(pattern), kFafName, count, found));
        std::vector<std::u16string> names;
        for (std::uint32_t i = 0; i < count; ++i)
            names.emplace_back(EntryName(found[i]));
        EXPECT_EQ(handheld->CeRapiFreeBuffer(found), count > 0 ? kS_OK : kE_FAIL);
        return names;
    }

    void RunProgram(std::u16string_view argument)
    {
        EXPECT_TRUE(StartHandheldProgram(*handheld, argument));
        handheld->Program().WaitUntilIdle();
    }
};

TEST(HandheldEmulatorTest, HandheldPathsStayInsideTheFolder)
{
    EXPECT_EQ(EmulatedPath("/h", u"\\ZVK_CE\\Import\\abc.dat"),
              fs::path("/h/ZVK_CE/Import/abc.dat"));
    EXPECT_EQ(EmulatedPath("/h", u"\\Zoznam \u010D.DAT"), PathFromText("/h/Zoznam č.DAT"));
    for (const std::u16string_view bad :
         {u"ZVK_CE\\ZVK.INI", u"\\..\\etc\\passwd", u"\\a/../b", u"\\ZVK_CE\\.\\x", u""})
        EXPECT_FALSE(EmulatedPath("/h", bad).has_value()) << test::Ascii(bad);
    EXPECT_FALSE(DesktopNameOf(u"bad\xD800.DAT").has_value());
}

TEST(HandheldEmulatorTest, PatternsMatchAsTheHandheldMatchesThem)
{
    EXPECT_TRUE(MatchesHandheldPattern(u"LIST0001.DAT", u"*.dat"));
    EXPECT_TRUE(MatchesHandheldPattern(u".dat", u"*.dat"));
    EXPECT_FALSE(MatchesHandheldPattern(u"LIST0001.DATA", u"*.dat"));
    EXPECT_FALSE(MatchesHandheldPattern(u"LIST0001.DAT", u"*.dat?"));
    EXPECT_TRUE(MatchesHandheldPattern(u"a.dat.dat", u"*.dat"));
    EXPECT_TRUE(MatchesHandheldPattern(u"abcabd", u"*ab?"));
    EXPECT_TRUE(MatchesHandheldPattern(u"x", u"?**"));
    EXPECT_FALSE(MatchesHandheldPattern(u"", u"?"));
    EXPECT_TRUE(MatchesHandheldPattern(u"", u"**"));
    EXPECT_FALSE(MatchesHandheldPattern(u"\u010C.dat", u"\u010D.dat")); // only ASCII folds
    // Many stars before a letter that is missing: an answer at once, not after every split
    // of the name between the stars has been tried.
    const std::u16string name(250, u'r');
    EXPECT_FALSE(MatchesHandheldPattern(name, std::u16string(60, u'*') + u"x"));
    EXPECT_TRUE(MatchesHandheldPattern(name + u"x", std::u16string(60, u'*') + u"x"));
}

TEST(HandheldEmulatorTest, ANulInAHandheldNameNeverReachesTheFolderAbove)
{
    // The system reads a name up to its NUL: "..\0x" would be the folder above.
    using namespace std::literals;
    for (const std::u16string_view bad : {u"..\0x"sv, u"LIST0001\0.DAT"sv, u"\0"sv})
        EXPECT_FALSE(DesktopNameOf(bad).has_value()) << test::Ascii(bad);
    EXPECT_FALSE(EmulatedPath("/h", u"\\ZVK_CE\\..\0\\x"sv).has_value());

    TempDir outer;
    outer.Write("BESIDE.DAT", "AD\r\n");
    HandheldEmulator handheld(outer.Path() / "handheld");
    std::uint32_t count = 0;
    CeFindData* found = nullptr;
    EXPECT_FALSE(handheld.CeFindAllFiles(u"\\..\0\\*.dat"s, kFafName, count, found));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(handheld.CeDeleteFile(u"\\..\0\\BESIDE.DAT"s));
    EXPECT_TRUE(fs::exists(outer.Path() / "BESIDE.DAT"));
}

TEST(HandheldEmulatorTest, NamesInTheHandheldsCodePageAreFoundOpenedAndDeleted)
{
    Emulated emulated;
    emulated.dir.Write("lat\xE8in.DAT", "AD\r\n");
    EXPECT_EQ(emulated.Find(u"\\*.dat"), std::vector<std::u16string>{u"lat\u010Din.DAT"});
    const CeHandle file = emulated.handheld->CeCreateFile(
        u"\\lat\u010Din.DAT", kGenericRead, kFileShareRead, kOpenExisting, kFileAttributeNormal);
    ASSERT_NE(file, kInvalidCeHandle);
    EXPECT_EQ(emulated.handheld->CeGetFileSize(file, nullptr), 4u);
    EXPECT_TRUE(emulated.handheld->CeCloseHandle(file));
    EXPECT_TRUE(emulated.handheld->CeDeleteFile(u"\\lat\u010Din.DAT"));
    EXPECT_TRUE(emulated.Find(u"\\*.dat").empty());
}

TEST(HandheldEmulatorTest, SearchGivesNamesInThePublishedLayoutIgnoringLetterCase)
{
    Emulated emulated;
    emulated.dir.Write("LIST02.DAT", "2");
    emulated.dir.Write("list01.dat", "1");
    emulated.dir.Write("Zoznam č.Dat", "3");
    emulated.dir.Write("notes.txt", "");
    emulated.dir.Write(".LIST03.DAT.1a2b.tmp", "half");
    EXPECT_EQ(emulated.Find(u"\\*.dat"),
              (std::vector<std::u16string>{u"LIST02.DAT", u"Zoznam \u010D.Dat", u"list01.dat"}));
    EXPECT_TRUE(emulated.Find(u"\\ZVK_CE\\Export\\export.tmp").empty());

    std::uint32_t count = 0;
    CeFindData* found = nullptr;
    ASSERT_TRUE(emulated.handheld->CeFindAllFiles(u"\\list01.*", kFafName, count, found));
    ASSERT_EQ(count, 1u);
    std::u16string atOffset40(7, u'\0');
    std::memcpy(atOffset40.data(), reinterpret_cast<const char*>(found) + 40, 14);
    EXPECT_EQ(atOffset40, u"list01.");
    EXPECT_EQ(emulated.handheld->CeRapiFreeBuffer(found), kS_OK);
    EXPECT_FALSE(emulated.handheld->CeFindAllFiles(u"\\missing\\*.dat", kFafName, count, found));
}

// As a handheld gives them: only when asked for, the high part beyond 4 GiB included.
TEST(HandheldEmulatorTest, SearchGivesTheSizesWhenAskedForThem)
{
    Emulated emulated;
    emulated.dir.Write("SMALL.DAT", std::string(70000, 's'));
    fs::resize_file(emulated.dir.Write("HUGE.DAT", ""), (1ull << 32) + 7);
    const auto sizes = [&](std::uint32_t flags) {
        std::uint32_t count = 0;
        CeFindData* found = nullptr;
        EXPECT_TRUE(emulated.handheld->CeFindAllFiles(u"\\*.dat", flags, count, found));
        std::vector<std::uint64_t> listed;
        for (std::uint32_t i = 0; i < count; ++i)
            listed.push_back(EntrySize(found[i]));
        EXPECT_EQ(emulated.handheld->CeRapiFreeBuffer(found), kS_OK);
        return listed;
    };
    EXPECT_EQ(sizes(kFafName | kFafSizeHigh | kFafSizeLow),
              (std::vector<std::uint64_t>{(1ull << 32) + 7, 70000}));
    EXPECT_EQ(sizes(kFafName | kFafSizeLow), (std::vector<std::uint64_t>{7, 70000}));
    EXPECT_EQ(sizes(kFafName), (std::vector<std::uint64_t>{0, 0}));
}

TEST(HandheldEmulatorTest, FilesAreReadWrittenAndDeletedAsOnTheHandheld)
{
    Emulated emulated;
    RemoteApi& handheld = *emulated.handheld;
    const CeHandle out = handheld.CeCreateFile(u"\\ZVK_CE\\ZVK.INI", kGenericWrite, kFileShareWrite,
                                               kCreateAlways, kFileAttributeNormal);
    ASSERT_NE(out, kInvalidCeHandle);
    std::uint32_t count = 0;
    EXPECT_TRUE(handheld.CeWriteFile(out, "[Firma]", 7, count));
    EXPECT_EQ(count, 7u);
    EXPECT_TRUE(handheld.CeCloseHandle(out));
    EXPECT_EQ(ReadBytes(emulated.Path("ZVK_CE/ZVK.INI")), "[Firma]");

    const CeHandle in = handheld.CeCreateFile(u"\\ZVK_CE\\ZVK.INI", kGenericRead, kFileShareRead,
                                              kOpenExisting, kFileAttributeNormal);
    std::uint32_t high = 1;
    EXPECT_EQ(handheld.CeGetFileSize(in, &high), 7u);
    EXPECT_EQ(high, 0u);
    char buffer[100] = {};
    EXPECT_TRUE(handheld.CeReadFile(in, buffer, 100, count));
    EXPECT_EQ(std::string(buffer, count), "[Firma]");
    EXPECT_TRUE(handheld.CeReadFile(in, buffer, 100, count));
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(handheld.CeCloseHandle(in));
    EXPECT_FALSE(handheld.CeCloseHandle(in));

    EXPECT_EQ(handheld.CeCreateFile(u"\\MISSING.DAT", kGenericRead, kFileShareRead, kOpenExisting,
                                    kFileAttributeNormal),
              kInvalidCeHandle);
    EXPECT_TRUE(handheld.CeDeleteFile(u"\\ZVK_CE\\ZVK.INI"));
    EXPECT_FALSE(handheld.CeDeleteFile(u"\\ZVK_CE\\ZVK.INI"));
    EXPECT_FALSE(handheld.CeDeleteFile(u"\\ZVK_CE"));
}

TEST(HandheldEmulatorTest, ReadsFailOnceTheSetNumberOfBytesWasRead)
{
    Emulated emulated("[Emulator]\r\nFailReadAfterBytes=150\r\n");
    emulated.dir.Write("A.DAT", std::string(400, 'a'));
    RemoteApi& handheld = *emulated.handheld;
    const CeHandle file = handheld.CeCreateFile(u"\\A.DAT", kGenericRead, kFileShareRead,
                                                kOpenExisting, kFileAttributeNormal);
    char buffer[100];
    std::uint32_t count = 0;
    EXPECT_TRUE(handheld.CeReadFile(file, buffer, 100, count));
    EXPECT_TRUE(handheld.CeReadFile(file, buffer, 100, count));
    EXPECT_EQ(count, 50u);
    EXPECT_FALSE(handheld.CeReadFile(file, buffer, 100, count));
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(handheld.CeCloseHandle(file));
}

TEST(HandheldEmulatorTest, EachReadTakesTheSetDelay)
{
    test::ManualClock clock;
    Emulated emulated("[Emulator]\r\nReadDelayMs=40\r\n", clock);
    emulated.dir.Write("A.DAT", "abc");
    RemoteApi& handheld = *emulated.handheld;
    const CeHandle file = handheld.CeCreateFile(u"\\A.DAT", kGenericRead, kFileShareRead,
                                                kOpenExisting, kFileAttributeNormal);
    char buffer[100];
    std::uint32_t count = 0;
    std::future<bool> read = std::async(
        std::launch::async, [&] { return handheld.CeReadFile(file, buffer, 100, count); });
    ASSERT_TRUE(clock.AdvanceWhenWaiting(39ms));
    ASSERT_TRUE(clock.AwaitWaiters(1)); // still reading
    clock.Advance(1ms);
    EXPECT_TRUE(read.get());
    EXPECT_EQ(count, 3u);
    EXPECT_TRUE(handheld.CeCloseHandle(file));
}

// Off unless set, so that a test's handheld answers at once; every call over the link is
// counted by its kind and takes the call's delay, and the bytes it carries take their time
// at the bandwidth.
TEST(HandheldEmulatorTest, TheSimulatedLinkTakesItsTimeAndCountsTheCallsByKind)
{
    struct Case
    {
        std::string settings;
        Clock::Duration takes;
    };
    const std::vector<Case> cases = {
        {"", 0ms}, {"CallDelayMs=2\r\nBandwidthBytesPerSecond=1000\r\n", 11 * 2ms + 500ms + 300ms}};
    for (const Case& link : cases) {
        SCOPED_TRACE(link.settings);
        test::ManualClock clock;
        Emulated emulated("[Emulator]\r\n" + link.settings, clock);
        emulated.dir.Write("A.DAT", std::string(500, 'a'));
        RemoteApi& handheld = *emulated.handheld;
        const Clock::TimePoint started = clock.Now();
        clock.RunAdvancing(test::ManualClock::Work::WaitsOnTheClock, [&] {
            std::uint32_t count = 0;
            CeFindData* found = nullptr;
            EXPECT_TRUE(handheld.CeFindAllFiles(u"\\*.DAT", kFafName, count, found));
            EXPECT_EQ(handheld.CeRapiFreeBuffer(found), kS_OK);
            const CeHandle in = handheld.CeCreateFile(u"\\A.DAT", kGenericRead, kFileShareRead,
                                                      kOpenExisting, kFileAttributeNormal);
            EXPECT_EQ(handheld.CeGetFileSize(in, nullptr), 500u);
            std::vector<char> piece(kTransferPieceBytes);
            EXPECT_TRUE(handheld.CeReadFile(in, piece.data(), kTransferPieceBytes, count));
            EXPECT_EQ(count, 500u);
            EXPECT_TRUE(handheld.CeReadFile(in, piece.data(), kTransferPieceBytes, count));
            EXPECT_TRUE(handheld.CeCloseHandle(in));
            const CeHandle out = handheld.CeCreateFile(u"\\B.DAT", kGenericWrite, kFileShareRead,
                                                       kCreateAlways, kFileAttributeNormal);
            EXPECT_TRUE(handheld.CeWriteFile(out, piece.data(), 300, count));
            EXPECT_TRUE(handheld.CeCloseHandle(out));
            EXPECT_TRUE(handheld.CeDeleteFile(u"\\A.DAT"));
            EXPECT_FALSE(handheld.CeCreateProcess(u"\\Windows\\none.exe", u""));
        });
        EXPECT_EQ(clock.Now() - started, link.takes);
        EXPECT_EQ(emulated.handheld->CallCounts().Text(),
                  "CeCreateFile 2\nCeReadFile 2\nCeWriteFile 1\nCeCloseHandle 2\nCeGetFileSize 1\n"
                  "CeDeleteFile 1\nCeFindAllFiles 1\nCeCreateProcess 1\n");
    }
}

TEST(HandheldEmulatorTest, ConnectsAfterItsDelayUnlessAbsentTooLateOrCancelled)
{
    test::ManualClock clock;
    Emulated present("[Emulator]\r\nConnectDelayMs=30\r\n", clock);
    std::future<HResult> init =
        std::async(std::launch::async, [&] { return present.handheld->CeRapiInit(); });
    ASSERT_TRUE(clock.AdvanceWhenWaiting(29ms));
    ASSERT_TRUE(clock.AwaitWaiters(1)); // still answering
    clock.Advance(1ms);
    EXPECT_EQ(init.get(), kS_OK);

    Emulated absent("[Emulator]\r\nConnected=0\r\n", clock);
    EXPECT_EQ(absent.handheld->CeRapiInit(), kE_FAIL);

    // The desktop gives a connection one second: a handheld that takes that long is
    // too late every time, not only when the watchdog happens to fire first.
    Emulated late("[Emulator]\r\nConnectDelayMs=1000\r\n", clock);
    init = std::async(std::launch::async, [&] { return late.handheld->CeRapiInit(); });
    ASSERT_TRUE(clock.AdvanceWhenWaiting(1000ms));
    EXPECT_EQ(init.get(), kE_FAIL);

    Emulated slow("[Emulator]\r\nConnectDelayMs=60000\r\n", clock);
    init = std::async(std::launch::async, [&] { return slow.handheld->CeRapiInit(); });
    ASSERT_TRUE(clock.AwaitWaiters(1));
    slow.handheld->CeRapiUninit();
    EXPECT_EQ(init.get(), kE_FAIL);
}

TEST(HandheldEmulatorTest, ProgramExportsItsListsWholeThenCreatesTheMarker)
{
    Emulated emulated;
    emulated.dir.Write("ZVK_CE/Data/LIST01.DAT", "one");
    emulated.dir.Write("ZVK_CE/Data/LIST02.DAT", "two");
    // The copy of an export that was killed, made under a mask that left it only writable:
    // it goes with the next export.
    const fs::path abandoned = emulated.dir.Write(".L00006.DAT.1a-2.tmp", "");
    fs::permissions(abandoned, fs::perms::owner_write);
    emulated.RunProgram(kExportRequested);
    EXPECT_EQ(ReadBytes(emulated.Path("LIST01.DAT")), "one");
    EXPECT_EQ(ReadBytes(emulated.Path("LIST02.DAT")), "two");
    EXPECT_EQ(emulated.Find(kHandheldExportMarker).size(), 1u);
    EXPECT_EQ(ListFolder(emulated.dir.Path()), "LIST01.DAT LIST02.DAT ZVK_CE emulator.ini");

    Emulated silent("[Emulator]\r\nExportDelayMs=1\r\nExportMarker=0\r\n");
    silent.dir.Write("ZVK_CE/Data/LIST01.DAT", "one");
    silent.RunProgram(kExportRequested);
    EXPECT_TRUE(fs::exists(silent.Path("LIST01.DAT")));
    EXPECT_TRUE(silent.Find(kHandheldExportMarker).empty());
}

TEST(HandheldEmulatorTest, ProgramDropsOnlyTheExportedListsTheDesktopTook)
{
    Emulated emulated;
    emulated.dir.Write("ZVK_CE/Data/TAKEN.DAT", "t");
    emulated.dir.Write("ZVK_CE/Data/LEFT.DAT", "l");
    emulated.dir.Write("ZVK_CE/Data/RESENT.DAT", "r");
    emulated.dir.Write("ZVK_CE/Data/GROWN.DAT", "g");
    emulated.RunProgram(kExportRequested);
    for (const char* taken : {"TAKEN.DAT", "RESENT.DAT", "GROWN.DAT"})
        fs::remove(emulated.Path(taken));
    // Between the export and its end the handheld measures a new list, measures a line
    // into one it handed over and receives one under the name of another: all of that is
    // new and stays.
    emulated.dir.Write("ZVK_CE/Data/MEASURED.DAT", "m");
    emulated.dir.Write("ZVK_CE/Data/GROWN.DAT", "g+");
    emulated.dir.Write("ZVK_CE/Import/RESENT.DAT", "new");
    emulated.RunProgram(kListSent);
    emulated.RunProgram(kListsTaken);
    EXPECT_EQ(ListFolder(emulated.Path("ZVK_CE/Data")),
              "GROWN.DAT LEFT.DAT MEASURED.DAT RESENT.DAT");
    EXPECT_EQ(ReadBytes(emulated.Path("ZVK_CE/Data/RESENT.DAT")), "new");
    EXPECT_EQ(ReadBytes(emulated.Path("ZVK_CE/Data/GROWN.DAT")), "g+");

    // Without an export there is nothing the desktop can have taken.
    fs::remove(emulated.Path("LEFT.DAT"));
    emulated.RunProgram(kListsTaken);
    EXPECT_EQ(ListFolder(emulated.Path("ZVK_CE/Data")),
              "GROWN.DAT LEFT.DAT MEASURED.DAT RESENT.DAT");
}

TEST(HandheldEmulatorTest, ProgramImportsSentListsAndLoadsItsConfiguration)
{
    Emulated emulated;
    emulated.dir.Write("ZVK_CE/Import/SENT.DAT", "s");
    emulated.RunProgram(kListSent);
    EXPECT_EQ(ListFolder(emulated.Path("ZVK_CE/Data")), "SENT.DAT");
    EXPECT_EQ(ListFolder(emulated.Path("ZVK_CE/Import")), "");

    emulated.dir.Write("ZVK_CE/ZVK.INI", "[Firma]\r\n");
    emulated.RunProgram(kConfigurationSent);
    EXPECT_EQ(emulated.handheld->Program().LoadedConfiguration(), "[Firma]\r\n");
    EXPECT_EQ(emulated.handheld->Program().Runs(), (std::vector<std::u16string>{u"e", u"k"}));
    EXPECT_FALSE(emulated.handheld->CeCreateProcess(u"\\Windows\\cmd.exe", u"x"));
}

TEST(HandheldEmulatorTest, ClosingDuringAnExportDoesNotWaitForIt)
{
    Emulated emulated("[Emulator]\r\nExportDelayMs=60000\r\n");
    emulated.dir.Write("ZVK_CE/Data/LIST01.DAT", "one");
    EXPECT_TRUE(StartHandheldProgram(*emulated.handheld, kExportRequested));
    EXPECT_TRUE(StartHandheldProgram(*emulated.handheld, kListsTaken));
    const auto started = std::chrono::steady_clock::now();
    emulated.handheld.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    EXPECT_FALSE(fs::exists(emulated.Path("LIST01.DAT")));
}

// The claim held, or busy (no failure); a failure only when the lock cannot be taken.
std::string OutcomeOf(const Result<ClaimOutcome>& claim)
{
    if (!claim)
        return "failed: " + claim.error().detail;
    return claim->IsBusy() ? "busy" : "held";
}

TEST(HandheldEmulatorTest, TransfersClaimTheHandheldOneAtATime)
{
    Emulated emulated;
    Result<ClaimOutcome> first = emulated.handheld->ClaimForTransfer();
    ASSERT_EQ(OutcomeOf(first), "held");
    // The same folder as another process would open it, and this very handheld again:
    // busy is no failure, only no claim. Deleting the lock file of old frees nothing.
    std::error_code ec;
    fs::remove(emulated.Path("ZVK_CE/transfer.lock"), ec);
    HandheldEmulator other(emulated.dir.Path());
    EXPECT_EQ(OutcomeOf(other.ClaimForTransfer()), "busy");
    EXPECT_EQ(OutcomeOf(emulated.handheld->ClaimForTransfer()), "busy");
    first->Take().reset(); // the claim given back
    Result<ClaimOutcome> second = other.ClaimForTransfer();
    EXPECT_EQ(OutcomeOf(second), "held");
    // The lock is no list and no marker of the handheld.
    EXPECT_TRUE(emulated.Find(kHandheldListPattern).empty());
    EXPECT_EQ(ListFolder(emulated.dir.Path()), "ZVK_CE emulator.ini");

    // Windows removes no folder while a file in it is open: the claim gives its lock back.
    second->Take().reset();
    fs::remove_all(emulated.dir.Path());
    EXPECT_EQ(OutcomeOf(other.ClaimForTransfer()).rfind("failed: cannot lock", 0), 0u);
}

// The next transfer must never meet the handheld program still at work on the last
// one, such as its "x" dropping the lists a reception took.
TEST(HandheldEmulatorTest, ClaimEndsOnceTheProgramHasDoneWhatTheTransferStarted)
{
    Emulated emulated("[Emulator]\r\nExportDelayMs=60000\r\n");
    emulated.dir.Write("ZVK_CE/Data/LIST01.DAT", "one");
    Result<ClaimOutcome> claim = emulated.handheld->ClaimForTransfer();
    ASSERT_EQ(OutcomeOf(claim), "held");
    EXPECT_TRUE(StartHandheldProgram(*emulated.handheld, kExportRequested));
    EXPECT_TRUE(StartHandheldProgram(*emulated.handheld, kListsTaken));
    const auto started = std::chrono::steady_clock::now();
    claim->Take().reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    EXPECT_EQ(emulated.handheld->Program().Runs(), (std::vector<std::u16string>{u"i", u"x"}));
    // The export, still waiting when its transfer ended, was given up.
    EXPECT_FALSE(fs::exists(emulated.Path("LIST01.DAT")));
}

TEST(HandheldSelectionTest, EnvironmentWinsOverTheSettingOverTheWorkingDirectory)
{
    // Whatever this process's own environment says: the place is all that counts.
    const test::ScopedEnvironment elsewhere("ZVK_HANDHELD", "/tmp/elsewhere");
    EXPECT_EQ(ChooseHandheldFolder({"", "", "/home/les", {}}), fs::path("/home/les/handheld"));
    EXPECT_EQ(ChooseHandheldFolder({"", "/media/zvk", "/home/les", {}}), fs::path("/media/zvk"));
    EXPECT_EQ(ChooseHandheldFolder({"/tmp/zvk-handheld", "/media/zvk", "/home/les", {}}),
              fs::path("/tmp/zvk-handheld"));
}

// The Windows package keeps the samples beside the program, the Linux package in the data
// folder of its prefix; a program that brings none runs where it was built.
TEST(HandheldSelectionTest, InstalledSamplesAreBesideTheProgramElseInItsPrefix)
{
    TempDir prefix;
    const fs::path bin = prefix.Path() / "bin";
    fs::create_directories(bin);
    EXPECT_EQ(InstalledSampleLists(bin), fs::path());

    const fs::path shared = prefix.Path() / "share" / "zvk-pc" / "samples";
    fs::create_directories(shared);
    EXPECT_EQ(InstalledSampleLists(bin), shared);
    fs::create_directories(bin / "samples");
    EXPECT_EQ(InstalledSampleLists(bin), bin / "samples");
}

TEST(HandheldSelectionTest, MissingFolderIsSeededWithTheSampleListsAnExistingOneIsKept)
{
    TempDir dir;
    const fs::path folder = dir.Path() / "handheld";
    ASSERT_TRUE(test::Succeeded(PrepareHandheldFolder(folder, SampleListsFolder(ZVK_SAMPLE_DIR))));
    EXPECT_EQ(ListFolder(folder / "ZVK_CE" / "Data"),
              "LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT");
    EXPECT_EQ(ReadBytes(folder / "ZVK_CE" / "Data" / "LIST0001.DAT"),
              ReadBytes(fs::path(ZVK_SAMPLE_DIR) / "LIST0001.DAT"));

    fs::remove(folder / "ZVK_CE" / "Data" / "LIST0001.DAT");
    ASSERT_TRUE(test::Succeeded(PrepareHandheldFolder(folder, SampleListsFolder(ZVK_SAMPLE_DIR))));
    EXPECT_FALSE(fs::exists(folder / "ZVK_CE" / "Data" / "LIST0001.DAT"));
    const fs::path file = dir.Write("file", "");
    EXPECT_EQ(test::FailureDetail(PrepareHandheldFolder(file, SampleListsFolder(ZVK_SAMPLE_DIR))),
              file.string() + " is not a folder");
}

} // namespace
} // namespace zvk
