// The desktop's own transfers, as the window runs them (a transfer session under its
// watchdog, in real time), against a device on the wire that misbehaves: whatever it does,
// every list ends on the desktop byte for byte or stays on the handheld, and a list sent
// to it arrives whole or not at all.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/emulated_program.h"
#include "device/handheld_selection.h"
#include "device/transfer_session.h"
#include "support/recording_window_port.h"
#include "support/temp_dir.h"
#include "support/wire_handheld.h"

namespace zvk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct FaultyTransfer
{
    const char* name;
    emulator::DeviceFaults faults;
    PendingOperation operation;
    // The transfer's outcome as the window hears it; none where the closing message names
    // each list that was not received instead.
    const char* outcome;
};

std::vector<std::string> SampleNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(ZVK_SAMPLE_DIR))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(DesktopThroughFaultsTest, EveryTransferOverAFaultyDeviceLosesNothing)
{
    const FaultyTransfer cases[] = {
        {"none", {}, PendingOperation::ReceiveLists, "received"},
        {"connect-back within the watchdog",
         {.connectBackDelay = 300ms},
         PendingOperation::ReceiveLists,
         "received"},
        {"connect-back after the watchdog",
         {.connectBackDelay = 1500ms},
         PendingOperation::ReceiveLists,
         "not connected"},
        {"no connect-back",
         {.connectBackNever = true},
         PendingOperation::ReceiveLists,
         "not connected"},
        // The lists are in, but the handheld is not told to drop them: they stay there too.
        {"session dropped",
         {.dropAfterCalls = 9},
         PendingOperation::ReceiveLists,
         "program not started"},
        {"short reply",
         {.shortReplyAt = 12},
         PendingOperation::ReceiveLists,
         "program not started"},
        {"stall", {.stallAt = 10}, PendingOperation::ReceiveLists, "program not started"},
        {"read error", {.readErrorAfterBytes = 100}, PendingOperation::ReceiveLists, ""},
        {"full disk", {.diskFullAfterBytes = 100}, PendingOperation::SendList, "send failed"},
        {"session dropped while sending",
         {.dropAfterCalls = 3},
         PendingOperation::SendList,
         "send failed"},
    };
    const std::vector<std::string> samples = SampleNames();
    for (const FaultyTransfer& each : cases) {
        SCOPED_TRACE(each.name);
        const test::TempDir dir;
        const fs::path handheld = dir.Path() / "handheld";
        ASSERT_TRUE(PrepareHandheldFolder(handheld, ZVK_SAMPLE_DIR));
        dir.Write("handheld/emulator.ini", "[Emulator]\r\nExportDelayMs=5\r\n");
        test::RecordingWindowPort window;
        window.receiveFolder = dir.Path() / "prijate";
        window.configurationPath = dir.Path() / "ZVK.INI";
        window.listToSend = fs::path(ZVK_SAMPLE_DIR) / samples.front();
        test::WireHandheld device(handheld, SteadyClock(), each.faults);
        {
            TransferSession session(window, &window, SteadyClock(),
                                    [&](const fs::path&) -> Result<std::unique_ptr<RemoteApi>> {
                                        return test::LinkTo(device);
                                    },
                                    {});
            session.LinkReady();
            session.Start(each.operation, window.Inputs());
            session.WaitUntilEnded();
        }
        // What the handheld's program was asked to do is done, as on a real handheld.
        device.Emulator().Program().WaitUntilIdle();
        const std::vector<std::string> outcomes = window.Outcomes();
        EXPECT_EQ(outcomes.empty() ? "" : outcomes.back(), each.outcome);
        EXPECT_EQ(window.Failures().empty(), *each.outcome != '\0');
        // Each list is on the desktop as the handheld held it, or still on the handheld, or
        // both where the handheld was not told to drop it; never half anywhere.
        const fs::path store = EmulatedListStore(handheld);
        for (const std::string& name : samples) {
            const std::string original = test::ReadBytes(fs::path(ZVK_SAMPLE_DIR) / name);
            bool somewhere = false;
            for (const fs::path& place : {window.receiveFolder / name, store / name}) {
                if (!fs::exists(place))
                    continue;
                somewhere = true;
                EXPECT_EQ(test::ReadBytes(place), original) << place;
            }
            EXPECT_TRUE(somewhere) << name;
        }
        // A list sent arrives whole or not at all.
        const fs::path sent = handheld / "ZVK_CE" / "Import" / samples.front();
        if (fs::exists(sent)) {
            EXPECT_EQ(test::ReadBytes(sent), test::ReadBytes(*window.listToSend));
        }
        EXPECT_EQ(fs::exists(sent), each.outcome == std::string("list sent"));
    }
}

} // namespace
} // namespace zvk
