#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

#include "device/clock.h"
#include "device/receive_lists_worker.h"
#include "device/remote_api.h"
#include "device/transfer_inputs.h"
#include "device/transfer_port.h"
#include "system/result.h"

namespace zvk {

// The transfer a button or the command line asked for; it starts once the link is up.
enum class PendingOperation
{
    None = 0,
    SendConfiguration = 1,
    ReceiveLists = 2,
    SendList = 3,
};

// How long a connection attempt may take before the watchdog reports it failed.
inline constexpr std::chrono::milliseconds kLinkWatchdogPeriod{1000};

// Opens the handheld on first use, given the working folder of the transfer that asks for
// it, or says why it cannot be had.
using HandheldOpener =
    std::function<Result<std::unique_ptr<RemoteApi>>(const std::filesystem::path& workingFolder)>;

// The link between one port (the program's main window, or the zvk tool's terminal)
// and the handheld: the pending operation, the link flag, the connection under its
// watchdog, the transfer worker of the pending operation, the closing after each
// transfer of a program started with arguments, and one transfer per handheld at a time
// (the handheld's claim, held from the connection to the common ending). Its threads
// are its own: Stop, and the destructor, end them and wait for them. All calls may come
// from any thread.
class TransferSession
{
public:
    struct Options
    {
        ReceiveSettings receive;
        // A program started with command-line arguments closes after every transfer.
        bool closeAfterEachTransfer = false;
        // Stops the session when requested, as Stop does, without waiting.
        std::stop_token stopWhen;
    };

    // `links` is told of the link and asked to close, where the port has buttons to follow
    // the link and a window to close; the zvk tool has none and gives nothing.
    TransferSession(TransferPort& port, LinkNotices* links, Clock& clock, HandheldOpener open,
                    Options options);
    // Stops, then closes a link left open.
    ~TransferSession();
    TransferSession(const TransferSession&) = delete;
    TransferSession& operator=(const TransferSession&) = delete;

    // The window was shown: the link is ready and the link flag is up.
    void LinkReady();
    // A button or the command line asks for a transfer, which works with `inputs` from
    // start to end. The one asked for last before the link is up is the one that runs,
    // with its own inputs; while a transfer runs, nothing is started.
    void Start(PendingOperation operation, TransferInputs inputs);
    // Start(operation, inputs) once `delay` has passed on the session's clock. Once per
    // session: a later call is ignored.
    void StartAfter(Clock::Duration delay, PendingOperation operation, TransferInputs inputs);
    // The window is closing: a connection is given up, a transfer ends at its next step
    // without leaving a half-written file, and nothing starts any more. Returns when the
    // session's threads have ended.
    void Stop();
    // Returns when the attempt started last has ended: true when it connected and its
    // transfer succeeded.
    bool WaitUntilEnded();

private:
    enum class Phase
    {
        Idle,
        Connecting,
        Transferring,
    };

    void Attempt();
    RemoteApi* OpenedHandheld(const std::filesystem::path& workingFolder);
    std::unique_ptr<TransferClaim> Claim(RemoteApi& handheld);
    bool Connect(RemoteApi& handheld);
    void LinkFailed();
    bool RunTransferWorker(PendingOperation operation, const TransferInputs& inputs,
                           RemoteApi& handheld);
    void CloseIfAsked();
    void End(bool succeeded);

    TransferPort& m_port;
    LinkNotices* const m_links;
    Clock& m_clock;
    const HandheldOpener m_open;
    const Options m_options;
    std::stop_source m_stop;
    std::stop_callback<std::function<void()>> m_stopWhen;

    std::mutex m_mutex;
    std::condition_variable m_ended;
    std::unique_ptr<RemoteApi> m_handheld;
    PendingOperation m_pending = PendingOperation::None;
    TransferInputs m_pendingInputs;
    bool m_linkFlag = false;
    Phase m_phase = Phase::Idle;
    bool m_succeeded = false;
    // Last, so that they end before the members they use.
    std::jthread m_autoStart;
    std::jthread m_attempt;
};

} // namespace zvk
