#include "device/link.h"

#include <algorithm>
#include <limits>

#include "device/send_workers.h"

namespace zvk {

std::optional<unsigned> ProgressPercent(std::uint64_t done, std::uint64_t total)
{
    if (total == 0)
        return std::nullopt;
    // A list that grew after it was measured must not push the bar past its end.
    if (done >= total)
        return 100u;
    if (done <= std::numeric_limits<std::uint64_t>::max() / 100)
        return static_cast<unsigned>(done * 100 / total);
    // Only beyond 2^57 bytes: a close estimate, still below 100 while bytes remain.
    return static_cast<unsigned>(std::min<std::uint64_t>(99, done / (total / 100)));
}

bool ConnectWorker(WindowPort& window, RemoteApi& handheld)
{
    if (window.LinkFlag())
        handheld.CeRapiUninit();
    window.StartLinkWatchdog();
    if (handheld.CeRapiInit() == kE_FAIL)
        return false; // the watchdog reports it
    if (!window.StopLinkWatchdog()) {
        handheld.CeRapiUninit();
        return false;
    }
    window.LinkResult(true);
    return true;
}

bool RunTransferWorker(PendingOperation operation, WindowPort& window, RemoteApi& handheld,
                       const ReceiveSettings& settings, std::stop_token stop)
{
    switch (operation) {
    case PendingOperation::None:
        return true;
    case PendingOperation::SendConfiguration:
        return SendConfigurationWorker(window, handheld);
    case PendingOperation::ReceiveLists:
        return ReceiveListsWorker(window, handheld, settings, std::move(stop));
    case PendingOperation::SendList:
        return SendListWorker(window, handheld);
    }
    return false;
}

void FinishTransfer(WindowPort& window, bool stopped)
{
    window.SetCursor(Cursor::Arrow);
    window.ShowProgress(100, 100);
    window.EnableTransferControls(true);
    if (!stopped && window.HasCommandLineArguments())
        window.RequestClose();
}

} // namespace zvk
