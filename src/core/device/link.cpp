#include "device/link.h"

#include "device/send_workers.h"
#include "platform/texts.h"

namespace zvk {

std::unique_ptr<TransferClaim> ClaimHandheldForTransfer(WindowPort& window, RemoteApi& handheld)
{
    ClaimResult result = handheld.ClaimForTransfer();
    if (!result.claim) {
        const std::string text =
            result.error.empty() ? std::string(texts::kHandheldBusy)
                                 : std::string(texts::kHandheldUnavailable) + "\n" + result.error;
        window.ShowMessage(text, texts::kCaptionError, MessageIcon::Information);
        FinishTransfer(window, false);
    }
    return std::move(result.claim);
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
