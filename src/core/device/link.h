#pragma once

#include <chrono>
#include <memory>
#include <stop_token>

#include "device/receive_lists_worker.h"
#include "device/remote_api.h"
#include "device/window_port.h"

namespace zvk {

// The transfer a button or the command line asked for; it starts once the link is up.
enum class PendingOperation
{
    None = 0,
    SendConfiguration = 1,
    ReceiveLists = 2,
    SendList = 3,
};

// How long the window's watchdog gives a connection attempt.
inline constexpr std::chrono::milliseconds kLinkWatchdogPeriod{1000};

// Claims the handheld for a transfer about to connect. When it cannot be claimed (it is
// busy with another transfer, or its claim failed) the window says why, and the transfer
// ends at once with the common ending, as any transfer does.
std::unique_ptr<TransferClaim> ClaimHandheldForTransfer(WindowPort& window, RemoteApi& handheld);

// Opens the link under the window's one-second watchdog: an open link is closed first,
// then CeRapiInit may block as long as the handheld needs. Returns true (after
// LinkResult(true)) only when the link came up before the watchdog fired; a link that
// comes up too late is closed again, since the window is already reporting the failure.
bool ConnectWorker(WindowPort& window, RemoteApi& handheld);

// Runs the transfer worker of the pending operation on the calling thread; false when
// something was not transferred (None transfers nothing and succeeds).
bool RunTransferWorker(PendingOperation operation, WindowPort& window, RemoteApi& handheld,
                       const ReceiveSettings& settings, std::stop_token stop);

// The ending every transfer shares: arrow cursor, 100 %, controls unlocked, and the
// close request of a program started with command-line arguments (not when the
// window itself stopped the transfer because it is closing).
void FinishTransfer(WindowPort& window, bool stopped);

} // namespace zvk
