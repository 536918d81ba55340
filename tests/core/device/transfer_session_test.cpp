#include "device/transfer_session.h"

#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "device/emulator_claim.h"

#include "device/fake_handheld.h"
#include "device/handheld_emulator.h"
#include "device/handheld_selection.h"
#include "device/progress_display.h"
#include "support/manual_clock.h"
#include "support/recording_window_port.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "support/wire_handheld.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::FakeHandheld;
using test::ListFolder;
using test::ManualClock;
using test::RecordingWindowPort;
using test::TempDir;
using Strings = std::vector<std::string>;
using namespace std::chrono_literals;

TEST(ProgressPercentTest, TruncatesAndNeverOverflows)
{
    EXPECT_EQ(ProgressPercent(50, 200), 25u);
    EXPECT_EQ(ProgressPercent(199, 200), 99u);
    EXPECT_EQ(ProgressPercent(0, 0), std::nullopt);
    EXPECT_EQ(ProgressPercent(300, 200), 100u);
    // A 100 MB list, where 32-bit arithmetic wraps after 42 MB.
    EXPECT_EQ(ProgressPercent(99ull << 20, 100ull << 20), 99u);
    EXPECT_EQ(ProgressPercent(UINT64_MAX - 1, UINT64_MAX), 99u);
}

TEST(ProgressDisplayTest, RedrawsOnlyWhenThePercentageChanges)
{
    ProgressDisplay display;
    display.Shown(0); // the transfer lock shows 0 %
    std::vector<unsigned> redrawn;
    for (std::uint64_t done = 0; done <= 100'000'000; done += 100)
        if (const auto percent = display.Change(done, 100'000'000))
            redrawn.push_back(*percent);
    ASSERT_EQ(redrawn.size(), 100u);
    EXPECT_EQ(redrawn.front(), 1u);
    EXPECT_EQ(redrawn.back(), 100u);
    EXPECT_EQ(display.Change(5, 0), std::nullopt);
    // After the unlock clears the percentage, the same value is shown again.
    display.Shown(std::nullopt);
    EXPECT_EQ(display.Change(100, 100), 100u);
}

// A session of a recording window, with a clock that the test moves, over the handheld
// that `make` gives.
struct Session
{
    TempDir dir;
    RecordingWindowPort window;
    ManualClock clock;
    std::stop_source stop;
    RemoteApi* handheld = nullptr;
    // What plays an emulated handheld, reached through `handheld` directly or over the wire.
    HandheldEmulator* emulator = nullptr;
    // The working folder the handheld was opened for.
    fs::path openedIn;
    std::unique_ptr<TransferSession> session;

    explicit Session(std::function<Result<std::unique_ptr<RemoteApi>>(Session&)> make,
                     bool closeAfterEachTransfer = false)
    {
        window.receiveFolder = dir.Path() / "prijate";
        window.configurationPath = dir.Write("ZVK.INI", "[Firma]\r\n");
        session = std::make_unique<TransferSession>(
            window, &window, clock,
            [this, make](const fs::path& workingFolder) -> Result<std::unique_ptr<RemoteApi>> {
                openedIn = workingFolder;
                Result<std::unique_ptr<RemoteApi>> made = make(*this);
                if (made)
                    handheld = made->get();
                return made;
            },
            TransferSession::Options{{}, closeAfterEachTransfer, stop.get_token()});
    }

    // The outcome of the attempt started last; time passes whenever only time can move
    // the session on.
    bool Ended()
    {
        bool succeeded = false;
        clock.RunAdvancing(test::ManualClock::Work::WaitsForActivities,
                           [&] { succeeded = session->WaitUntilEnded(); });
        return succeeded;
    }

    FakeHandheld& Fake() const
    {
        return static_cast<FakeHandheld&>(*handheld);
    }

    HandheldEmulator& Emulator() const
    {
        return *emulator;
    }
};

Result<std::unique_ptr<RemoteApi>> MakeFake(Session&)
{
    return std::unique_ptr<RemoteApi>(std::make_unique<FakeHandheld>());
}

// An emulated handheld with the sample lists and the given emulator.ini keys.
std::function<Result<std::unique_ptr<RemoteApi>>(Session&)> MakeEmulated(std::string settings)
{
    return [settings](Session& session) -> Result<std::unique_ptr<RemoteApi>> {
        const fs::path folder = session.dir.Path() / "handheld";
        EXPECT_TRUE(
            test::Succeeded(PrepareHandheldFolder(folder, SampleListsFolder(ZVK_SAMPLE_DIR))));
        session.dir.Write("handheld/emulator.ini", "[Emulator]\r\n" + settings);
        test::TestHandheld opened = test::OpenTestHandheld(folder, session.clock);
        session.emulator = opened.emulator;
        return std::move(opened.link);
    };
}

TEST(TransferSessionTest, ConnectsThenRunsThePendingTransfer)
{
    Session s(MakeFake);
    s.session->LinkReady();
    TransferInputs inputs = s.window.Inputs();
    inputs.workingFolder = s.dir.Path() / "pracovny";
    s.session->Start(PendingOperation::SendConfiguration, inputs);
    EXPECT_TRUE(s.Ended());
    // handheld/ is looked for in the working folder of the transfer that opens the link.
    EXPECT_EQ(s.openedIn, inputs.workingFolder);
    // The link flag is up once the window is ready: every attempt closes a link first.
    EXPECT_EQ(s.Fake().Calls(),
              (Strings{"uninit", "init", "create \\ZVK_CE\\ZVK.INI", "close \\ZVK_CE\\ZVK.INI",
                       "start \\ZVK_CE\\Slave.exe k"}));
    EXPECT_EQ(s.window.Events(),
              (Strings{"link ready", "link 1", "lock", "stage sending configuration",
                       "outcome configuration sent", "unlock"}));
}

TEST(TransferSessionTest, LinkThatComesUpBeforeTheWindowIsReadyStartsNothing)
{
    Session s(MakeFake);
    s.session->Start(PendingOperation::SendConfiguration, s.window.Inputs());
    EXPECT_TRUE(s.Ended());
    EXPECT_EQ(s.Fake().Calls(), Strings{"init"});
    EXPECT_EQ(s.window.Events(), Strings{"link 1"});
    // The link flag is now up: the next press closes that link, connects and transfers.
    s.session->Start(PendingOperation::SendConfiguration, s.window.Inputs());
    EXPECT_TRUE(s.Ended());
    const Strings calls = s.Fake().Calls();
    EXPECT_EQ(Strings(calls.begin(), calls.begin() + 3), (Strings{"init", "uninit", "init"}));
    EXPECT_EQ(calls.back(), "start \\ZVK_CE\\Slave.exe k");
}

TEST(TransferSessionTest, AbsentOrSlowHandheldIsReportedByTheWatchdogAfterItsSecond)
{
    for (const auto& [settings, waits] :
         {std::pair{"Connected=0\r\n", 1u}, std::pair{"ConnectDelayMs=1300\r\n", 2u}}) {
        Session s(MakeEmulated(settings));
        s.session->LinkReady();
        s.session->Start(PendingOperation::ReceiveLists, s.window.Inputs());
        // The watchdog, and a slow handheld still answering.
        ASSERT_TRUE(s.clock.AdvanceWhenWaiting(999ms, waits)) << settings;
        ASSERT_TRUE(s.clock.AwaitWaiters(waits));
        EXPECT_EQ(s.window.Events(), Strings{"link ready"}) << settings;
        s.clock.Advance(1ms);
        EXPECT_FALSE(s.session->WaitUntilEnded());
        EXPECT_EQ(s.window.Events(),
                  (Strings{"link ready", "link 0", "outcome not connected", "close"}))
            << settings;
        EXPECT_TRUE(s.Emulator().Program().Runs().empty());
    }
}

// The pending operation is a single value: presses before the link is up replace it, with
// what it works with, and a press while a transfer runs is ignored.
TEST(TransferSessionTest, LastPressBeforeTheLinkIsUpDecidesAndOnlyOneTransferRuns)
{
    Session s(MakeEmulated("ConnectDelayMs=500\r\nExportDelayMs=0\r\n"));
    s.window.onProgress = [&](std::uint64_t, std::uint64_t) {
        s.session->Start(PendingOperation::SendConfiguration, s.window.Inputs());
    };
    s.session->LinkReady();
    s.session->Start(PendingOperation::SendConfiguration, s.window.Inputs());
    ASSERT_TRUE(s.clock.AwaitWaiters(2)); // the watchdog and the handheld answering
    s.session->Start(PendingOperation::SendList, s.window.Inputs());
    TransferInputs last = s.window.Inputs();
    last.receiveFolder = s.dir.Path() / "posledne";
    s.session->Start(PendingOperation::ReceiveLists, last);
    EXPECT_TRUE(s.Ended());
    EXPECT_EQ(ListFolder(last.receiveFolder),
              "LIST0001.DAT LIST0002.DAT LIST0003.DAT STARY001.DAT");
    EXPECT_FALSE(fs::exists(s.window.receiveFolder));
    s.Emulator().Program().WaitUntilIdle();
    EXPECT_EQ(s.Emulator().Program().Runs(), (std::vector<std::u16string>{u"i", u"x"}));
    const Strings events = s.window.Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "lock"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "link 1"), 1);
    EXPECT_EQ(s.window.Outcomes(), Strings{"received"});
}

TEST(TransferSessionTest, BusyHandheldEndsTheTransferAtOnceWithTheCommonEnding)
{
    for (const bool arguments : {false, true}) {
        Session s(MakeEmulated(""), arguments);
        s.session->LinkReady();
        s.session->Start(PendingOperation::SendConfiguration, s.window.Inputs());
        EXPECT_TRUE(s.Ended());
        // Another window or zvk run over the same handheld.
        HandheldEmulator elsewhere(s.dir.Path() / "handheld");
        const Result<ClaimOutcome> held = elsewhere.ClaimForTransfer();
        ASSERT_TRUE(held && !held->IsBusy());
        const std::size_t before = s.window.Events().size();
        s.session->Start(PendingOperation::ReceiveLists, s.window.Inputs());
        EXPECT_FALSE(s.Ended());
        const Strings events = s.window.Events();
        Strings expected{"outcome handheld busy", "unlock"};
        if (arguments)
            expected.push_back("close");
        EXPECT_EQ(Strings(events.begin() + static_cast<std::ptrdiff_t>(before), events.end()),
                  expected);
        EXPECT_EQ(s.Emulator().Program().Runs(), std::vector<std::u16string>{u"k"});
    }
}

// A claim that fails is no busy handheld: its reason is named, with the common ending.
TEST(TransferSessionTest, HandheldThatCannotBeClaimedIsNamedNotBusy)
{
    const auto make = MakeEmulated("");
    Session s([&make](Session& session) {
        Result<std::unique_ptr<RemoteApi>> made = make(session);
        // The claim's lock cannot be taken where the handheld's folder was.
        fs::remove_all(session.dir.Path() / "handheld");
        return made;
    });
    s.session->LinkReady();
    s.session->Start(PendingOperation::SendConfiguration, s.window.Inputs());
    EXPECT_FALSE(s.Ended());
    const fs::path lock = EmulatedTransferLock(s.dir.Path() / "handheld");
    EXPECT_EQ(s.window.Events(), (Strings{"link ready",
                                          "unavailable handheld|cannot lock " + PathText(lock) +
                                              ": No such file or directory",
                                          "unlock"}));
}

TEST(TransferSessionTest, HandheldThatCannotBeOpenedIsNamedAndNothingStarts)
{
    Session s([](Session&) -> Result<std::unique_ptr<RemoteApi>> {
        return Fail("/media/zvk is not a folder");
    });
    s.session->LinkReady();
    s.session->Start(PendingOperation::ReceiveLists, s.window.Inputs());
    EXPECT_FALSE(s.Ended());
    EXPECT_EQ(s.window.Events(),
              (Strings{"link ready", "unavailable handheld|/media/zvk is not a folder"}));
}

TEST(TransferSessionTest, ProgramStartedWithArgumentsClosesAfterEachTransferUnlessStopped)
{
    Session closing(MakeFake, true);
    closing.session->LinkReady();
    closing.session->Start(PendingOperation::SendConfiguration, closing.window.Inputs());
    EXPECT_TRUE(closing.Ended());
    EXPECT_EQ(closing.window.Events().back(), "close");
    // A transfer that failed closes as well.
    closing.window.configurationPath = closing.dir.Path() / "NONE.INI";
    closing.session->Start(PendingOperation::SendConfiguration, closing.window.Inputs());
    EXPECT_FALSE(closing.Ended());
    const Strings events = closing.window.Events();
    EXPECT_EQ(events[events.size() - 3].rfind("unavailable configuration|", 0), 0u);
    EXPECT_EQ(closing.window.Events().back(), "close");

    // Stopped in the middle of a list, because the window is closing.
    Session stopped(
        [](Session&) -> Result<std::unique_ptr<RemoteApi>> {
            auto handheld = std::make_unique<FakeHandheld>();
            handheld->files = {{u"\\B.DAT", std::string(500, 'b')}};
            return std::unique_ptr<RemoteApi>(std::move(handheld));
        },
        true);
    stopped.window.onProgress = [&](std::uint64_t done, std::uint64_t) {
        if (done > 100)
            stopped.stop.request_stop();
    };
    stopped.session->LinkReady();
    stopped.session->Start(PendingOperation::ReceiveLists, stopped.window.Inputs());
    EXPECT_FALSE(stopped.Ended());
    EXPECT_EQ(stopped.window.Events().back(), "unlock");
    EXPECT_FALSE(fs::exists(stopped.window.receiveFolder / "B.DAT"));
    EXPECT_TRUE(stopped.Fake().files.contains(u"\\B.DAT"));
}

TEST(TransferSessionTest, StopWhileConnectingGivesUpTheLinkAndShowsNothing)
{
    Session s(MakeEmulated("ConnectDelayMs=20000\r\n"));
    s.session->LinkReady();
    s.session->Start(PendingOperation::ReceiveLists, s.window.Inputs());
    ASSERT_TRUE(s.clock.AwaitWaiters(2));
    s.session->Stop();
    EXPECT_FALSE(s.session->WaitUntilEnded());
    EXPECT_EQ(s.window.Events(), (Strings{"link ready", "link 0"}));
    // Nothing starts once stopped.
    s.session->Start(PendingOperation::ReceiveLists, s.window.Inputs());
    EXPECT_EQ(s.window.Events().size(), 2u);
}

TEST(TransferSessionTest, StartAfterItsDelayIsTheCommandLinesStart)
{
    Session s(MakeFake);
    s.session->LinkReady();
    s.session->StartAfter(1s, PendingOperation::SendConfiguration, s.window.Inputs());
    // Once per session: a second call neither waits for the first nor starts another.
    s.session->StartAfter(1ms, PendingOperation::ReceiveLists, s.window.Inputs());
    ASSERT_TRUE(s.clock.AdvanceWhenWaiting(999ms));
    ASSERT_TRUE(s.clock.AwaitWaiters(1));
    EXPECT_EQ(s.window.Events(), Strings{"link ready"});
    s.clock.Advance(1ms);
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (s.window.Events().back() != "unlock" && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(s.window.Outcomes(), Strings{"configuration sent"});
}

} // namespace
} // namespace zvk
