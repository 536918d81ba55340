#include "soak_reception.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <optional>
#include <sstream>
#include <stop_token>
#include <thread>

#include "device/handheld_emulator.h"
#include "device/transfer_session.h"
#include "net/named_link.h"
#include "support/manual_clock.h"
#include "support/recording_window_port.h"
#include "support/wire_handheld.h"
#include "zvk_process.h"

namespace fs = std::filesystem;

namespace zvk::soak {
namespace {

// The window of an in-process reception: counts its notices and, at the planned ones,
// requests the stop or lets a list arrive on the handheld.
class SoakWindow final : public test::RecordingWindowPort
{
public:
    SoakWindow(const ReceptionPlan& plan, SoakLedger& ledger, std::stop_source& stop)
        : m_plan(plan), m_ledger(ledger), m_stop(stop)
    {}

    void ShowStage(TransferStage stage) override
    {
        RecordingWindowPort::ShowStage(stage);
        Notice();
    }

    void ShowProgress(std::uint64_t done, std::uint64_t total) override
    {
        RecordingWindowPort::ShowProgress(done, total);
        Notice();
    }

private:
    void Notice()
    {
        const int notice = m_notices++;
        if (notice == m_plan.measureAtNotice)
            m_ledger.Measure(m_plan.listSeed);
        if (notice == m_plan.stopAtNotice)
            m_stop.request_stop();
    }

    const ReceptionPlan& m_plan;
    SoakLedger& m_ledger;
    std::stop_source& m_stop;
    std::atomic<int> m_notices = 0;
};

Outcome ReceiveInProcess(const ReceptionPlan& plan, const SoakFolders& folders, SoakLedger& ledger)
{
    test::ManualClock clock;
    std::stop_source stop;
    SoakWindow window(plan, ledger, stop);
    window.receiveFolder = folders.desktop;
    ReceiveSettings receive;
    // The window waits for ever; an export that never finishes is given up here so that
    // the soak goes on.
    receive.exportWaitLimit = std::chrono::minutes(1);
    bool succeeded = false;
    clock.RunAdvancing(test::ManualClock::Work::WaitsForActivities, [&] {
        TransferSession session(
            window, &window, clock,
            [&](const std::filesystem::path& /*workingFolder*/)
                -> Result<std::unique_ptr<RemoteApi>> {
                if (plan.overWire)
                    return test::OpenWireHandheld(folders.handheld, clock, plan.wireFaults).link;
                return std::unique_ptr<RemoteApi>(
                    std::make_unique<HandheldEmulator>(folders.handheld, clock));
            },
            {receive, false, stop.get_token()});
        session.LinkReady();
        session.Start(PendingOperation::ReceiveLists, window.Inputs());
        succeeded = session.WaitUntilEnded();
    });
    if (stop.stop_requested())
        return Outcome::Interrupted;
    return succeeded ? Outcome::Succeeded : Outcome::Failed;
}

Result<Outcome> ReceiveInChild(const ReceptionPlan& plan, const SoakFolders& folders,
                               SoakLedger& ledger)
{
    using std::chrono::milliseconds;
    // Over the wire, the child reaches a device emulator of this process over its own link.
    std::optional<test::WireHandheld> wire;
    if (plan.overWire)
        setenv("ZVK_LINK",
               NamedLinkText(wire.emplace(folders.handheld, SteadyClock(), plan.wireFaults).Link())
                   .c_str(),
               1);
    cli::ZvkProcess zvk({"receive", "--to", folders.desktop.string(), "--wait", "3"}, folders.work,
                        "receive");
    std::jthread arrival;
    if (plan.measureAfterMs >= 0)
        arrival = std::jthread([&] {
            std::this_thread::sleep_for(milliseconds(plan.measureAfterMs));
            ledger.Measure(plan.listSeed);
        });
    bool interrupted = false;
    if (plan.interruptAfterMs >= 0 && !zvk.WaitFor(milliseconds(plan.interruptAfterMs))) {
        zvk.Signal(SIGINT);
        interrupted = true;
    }
    const std::optional<int> status = zvk.WaitFor(std::chrono::seconds(60));
    if (!status) {
        zvk.Kill();
        return Fail("zvk receive did not end within a minute: " + zvk.Err());
    }
    if (interrupted && *status == 130) {
        if (zvk.Err().find("zvk: stopping on SIGINT\n") == std::string::npos)
            return Fail("zvk receive ended on SIGINT without saying so: " + zvk.Err());
        return Outcome::Interrupted;
    }
    if (*status != 0 && *status != 1)
        return Fail("zvk receive ended with " + std::to_string(*status) + ": " + zvk.Err());
    return *status == 0 ? Outcome::Succeeded : Outcome::Failed;
}

int Chance(std::mt19937_64& random, int lowest, int highest)
{
    return std::uniform_int_distribution<int>(lowest, highest)(random);
}

// A fault of the device on the wire at one of a reception's first calls, with a chance of
// one in `odds`.
std::optional<std::uint32_t> WireCall(std::mt19937_64& random, int odds)
{
    if (Chance(random, 1, odds) != 1)
        return std::nullopt;
    return static_cast<std::uint32_t>(Chance(random, 1, 40));
}

} // namespace

ReceptionPlan ReceptionPlan::Draw(std::mt19937_64& random, std::size_t lists, bool overWire)
{
    ReceptionPlan plan;
    plan.overWire = overWire;
    const bool absent = Chance(random, 0, 29) == 0;
    // Over the wire, the handheld's connection delay runs on the device's side, where a
    // reception's clock cannot see it: its late connect-back is the device's fault instead.
    int connectDelay = Chance(random, 0, 19) == 0 ? 1000 : Chance(random, 0, 300);
    if (overWire) {
        connectDelay = 0;
        plan.wireFaults.dropAfterCalls = WireCall(random, 10);
        plan.wireFaults.shortReplyAt = WireCall(random, 10);
        plan.wireFaults.stallAt = WireCall(random, 40);
    }
    const int failRead = Chance(random, 0, 4) == 0 ? Chance(random, 0, 50000) : -1;
    const bool marker = Chance(random, 0, 29) != 0;
    plan.inProcess = Chance(random, 0, 3) != 0;
    const int readDelay = plan.inProcess ? 0 : Chance(random, 0, 2);
    std::ostringstream settings;
    settings << "[Emulator]\r\nConnected=" << (absent ? 0 : 1)
             << "\r\nConnectDelayMs=" << connectDelay
             << "\r\nExportDelayMs=" << Chance(random, 0, 600)
             << "\r\nExportMarker=" << (marker ? 1 : 0) << "\r\nFailReadAfterBytes=" << failRead
             << "\r\nReadDelayMs=" << readDelay << "\r\n";
    plan.emulatorSettings = settings.str();
    plan.faulty = absent || connectDelay >= 1000 || failRead >= 0 || !marker ||
                  plan.wireFaults.dropAfterCalls || plan.wireFaults.shortReplyAt ||
                  plan.wireFaults.stallAt;
    if (plan.inProcess) {
        // A few status notices, then per list one progress notice for each of its pieces
        // (20 kB on average: two) and one for its end.
        const int notices = 4 + 3 * static_cast<int>(lists);
        plan.stopAtNotice = Chance(random, 0, 1) == 0 ? Chance(random, 0, notices) : -1;
        plan.measureAtNotice = Chance(random, 0, 1) == 0 ? Chance(random, 0, notices) : -1;
    } else {
        // Connecting, the export's second and the copy all take place within 2 s.
        plan.interruptAfterMs = Chance(random, 0, 2) != 0 ? Chance(random, 0, 2000) : -1;
        plan.measureAfterMs = Chance(random, 0, 1) == 0 ? Chance(random, 0, 2000) : -1;
    }
    plan.listSeed = random();
    return plan;
}

std::string ReceptionPlan::Describe() const
{
    std::ostringstream text;
    std::string settings = emulatorSettings;
    std::erase(settings, '\r');
    std::replace(settings.begin(), settings.end(), '\n', ' ');
    if (inProcess)
        text << "transfer session, stop at notice " << stopAtNotice << ", list at notice "
             << measureAtNotice;
    else
        text << "zvk receive, SIGINT after " << interruptAfterMs << " ms, list after "
             << measureAfterMs << " ms";
    text << "; " << settings;
    if (overWire)
        text << "; over the wire, dropped after call " << wireFaults.dropAfterCalls.value_or(0)
             << ", short reply at call " << wireFaults.shortReplyAt.value_or(0)
             << ", stall at call " << wireFaults.stallAt.value_or(0) << " (0: none)";
    return text.str();
}

Result<Outcome> Receive(const ReceptionPlan& plan, const SoakFolders& folders, SoakLedger& ledger)
{
    std::ofstream(folders.handheld / kEmulatorSettingsFile, std::ios::binary)
        << plan.emulatorSettings;
    if (plan.inProcess)
        return ReceiveInProcess(plan, folders, ledger);
    return ReceiveInChild(plan, folders, ledger);
}

} // namespace zvk::soak
