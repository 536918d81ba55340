#include "device/link.h"
#include "device/progress_display.h"

#include <thread>

#include <gtest/gtest.h>

#include "device/fake_handheld.h"
#include "device/handheld_emulator.h"
#include "support/recording_window_port.h"
#include "support/temp_dir.h"

namespace zvk {
namespace {

using test::FakeHandheld;
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
    // Every chunk of a 100 MB list, where 32-bit arithmetic would wrap after 42 MB.
    constexpr std::uint64_t kTotal = 100ull << 20;
    for (std::uint64_t done = 0; done <= kTotal; done += 100)
        ASSERT_EQ(ProgressPercent(done, kTotal), done * 100 / kTotal) << done;
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

// A connection attempt on a thread of its own, as the window starts it.
struct Connection
{
    TempDir dir;
    RecordingWindowPort window;
    std::unique_ptr<HandheldEmulator> handheld;
    bool connected = false;

    explicit Connection(std::string_view settings)
    {
        dir.Write("emulator.ini", settings);
        handheld = std::make_unique<HandheldEmulator>(dir.Path());
    }

    std::optional<bool> Attempt()
    {
        std::jthread worker([this] { connected = ConnectWorker(window, *handheld); });
        return window.WaitForLinkResult(10s);
    }
};

TEST(ConnectWorkerTest, ReachableHandheldStopsTheWatchdogAndReportsTheLink)
{
    Connection connection("[Emulator]\r\nConnectDelayMs=10\r\n");
    EXPECT_EQ(connection.Attempt(), true);
    EXPECT_TRUE(connection.connected);
    EXPECT_EQ(connection.window.Events(), (Strings{"watchdog start", "watchdog stop", "link 1"}));
}

TEST(ConnectWorkerTest, AbsentOrSlowHandheldIsReportedByTheWatchdogAlone)
{
    for (const char* settings :
         {"[Emulator]\r\nConnected=0\r\n", "[Emulator]\r\nConnectDelayMs=1300\r\n"}) {
        Connection connection(settings);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(connection.Attempt(), false) << settings;
        EXPECT_GE(std::chrono::steady_clock::now() - started, 1s);
        EXPECT_FALSE(connection.connected);
        const Strings events = connection.window.Events();
        EXPECT_EQ(std::count(events.begin(), events.end(), "link 1"), 0) << settings;
        EXPECT_EQ(std::count(events.begin(), events.end(), "link 0"), 1) << settings;
    }
}

TEST(ConnectWorkerTest, OpenLinkIsClosedBeforeEveryAttempt)
{
    for (const bool linkFlag : {true, false}) {
        FakeHandheld handheld;
        RecordingWindowPort window;
        window.linkFlag = linkFlag;
        EXPECT_TRUE(ConnectWorker(window, handheld));
        EXPECT_EQ(handheld.Calls(), (linkFlag ? Strings{"uninit", "init"} : Strings{"init"}));
    }
}

TEST(ClaimHandheldTest, BusyHandheldEndsTheTransferAtOnceWithTheCommonEnding)
{
    TempDir dir;
    HandheldEmulator handheld(dir.Path());
    // Another window or zvk run over the same handheld.
    HandheldEmulator elsewhere(dir.Path());
    const ClaimResult held = elsewhere.ClaimForTransfer();
    ASSERT_TRUE(held.claim) << held.error;
    for (const bool arguments : {false, true}) {
        RecordingWindowPort window;
        window.hasCommandLineArguments = arguments;
        EXPECT_EQ(ClaimHandheldForTransfer(window, handheld), nullptr);
        Strings expected{"message Chyba!|*** Prenosný počítač práve používa iný prenos ***|info",
                         "cursor arrow", "unlock"};
        if (arguments)
            expected.push_back("close");
        EXPECT_EQ(window.Events(), expected);
    }
    EXPECT_TRUE(handheld.Program().Runs().empty());

    RecordingWindowPort window;
    EXPECT_NE(ClaimHandheldForTransfer(window, *std::make_unique<FakeHandheld>()), nullptr);
    EXPECT_TRUE(window.Events().empty());
}

TEST(RunTransferWorkerTest, StartsTheWorkerOfThePendingOperation)
{
    TempDir dir;
    FakeHandheld handheld;
    RecordingWindowPort window;
    window.receiveFolder = dir.Path();
    window.configurationPath = dir.Write("ZVK.INI", "[Firma]\r\n");
    ReceiveSettings settings;
    settings.markerPollInterval = 1ms;
    EXPECT_TRUE(RunTransferWorker(PendingOperation::None, window, handheld, settings, {}));
    EXPECT_TRUE(handheld.Calls().empty());
    EXPECT_TRUE(
        RunTransferWorker(PendingOperation::SendConfiguration, window, handheld, settings, {}));
    EXPECT_EQ(handheld.Calls().back(), "start \\ZVK_CE\\Slave.exe k");
    EXPECT_TRUE(RunTransferWorker(PendingOperation::SendList, window, handheld, settings, {}));
    EXPECT_EQ(window.Events().back(), "unlock"); // no list chosen: nothing sent
    EXPECT_TRUE(RunTransferWorker(PendingOperation::ReceiveLists, window, handheld, settings, {}));
    EXPECT_EQ(window.Messages().back(), "Chyba!|*** Neexistujú žiadne zoznamy ***");
}

} // namespace
} // namespace zvk
