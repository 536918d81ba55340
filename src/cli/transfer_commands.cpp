#include <iostream>
#include <thread>

#include "app/desktop_settings.h"
#include "cli/command_line.h"
#include "cli/terminal_window_port.h"
#include "device/handheld_selection.h"
#include "device/link.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

bool IsTerminal(const std::ostream& err)
{
#ifdef _WIN32
    return &err == &std::cerr && _isatty(2) != 0;
#else
    return &err == &std::cerr && isatty(2) != 0;
#endif
}

// The road of every transfer: connect under the watchdog, then run the pending
// operation's worker, here on the tool's own thread.
int TransferOverLink(PendingOperation operation, const DesktopSettings& settings,
                     TerminalWindowPort::Paths paths, const ReceiveSettings& receive,
                     std::ostream& out, std::ostream& err)
{
    std::string error;
    const std::unique_ptr<RemoteApi> handheld = OpenHandheld(settings.HandheldFolder(), error);
    if (!handheld) {
        ReportFailure(err, error);
        return kFailure;
    }
    TerminalWindowPort window(out, err, IsTerminal(err), std::move(paths));
    std::thread connect([&] { ConnectWorker(window, *handheld); });
    const bool connected = window.WaitForLinkResult();
    if (!connected)
        handheld->CeRapiUninit(); // gives up a connection attempt still waiting
    connect.join();
    if (!connected)
        return kFailure;
    const bool transferred = RunTransferWorker(operation, window, *handheld, receive, {});
    handheld->CeRapiUninit();
    return transferred ? kSuccess : kFailure;
}

bool OneFileArgument(const Arguments& arguments, std::string_view command, std::ostream& err)
{
    if (arguments.size() == 1)
        return true;
    ReportFailure(err, std::string(command) + " needs exactly one file (see 'zvk " +
                           std::string(command) + " --help')");
    return false;
}

} // namespace

int RunReceive(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    const DesktopSettings settings = DesktopSettings::InWorkingDirectory();
    TerminalWindowPort::Paths paths{settings.ReceiveFolder(), {}, {}};
    ReceiveSettings receive;
    receive.convertRequested = [settings] { return settings.ConvertReceivedLists(); };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--convert") {
            receive.convertRequested = [] { return true; };
        } else if (arguments[i] == "--to" && i + 1 < arguments.size()) {
            paths.receiveFolder = arguments[++i];
        } else {
            ReportFailure(err, "receive does not understand '" + arguments[i] +
                                   "' (see 'zvk receive --help')");
            return kUsageError;
        }
    }
    return TransferOverLink(PendingOperation::ReceiveLists, settings, std::move(paths), receive,
                            out, err);
}

int RunSendConfig(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (!OneFileArgument(arguments, "send-config", err))
        return kUsageError;
    const DesktopSettings settings = DesktopSettings::InWorkingDirectory();
    return TransferOverLink(PendingOperation::SendConfiguration, settings,
                            {settings.ReceiveFolder(), arguments[0], {}}, {}, out, err);
}

int RunSendList(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (!OneFileArgument(arguments, "send-list", err))
        return kUsageError;
    const DesktopSettings settings = DesktopSettings::InWorkingDirectory();
    return TransferOverLink(PendingOperation::SendList, settings,
                            {settings.ReceiveFolder(), {}, arguments[0]}, {}, out, err);
}

} // namespace zvk::cli
