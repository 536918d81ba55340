#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "device/list_failure.h"

namespace zvk {

enum class MessageIcon
{
    Information,
    Error,
};

enum class Cursor
{
    Wait,
    Arrow,
};

// Everything the link and the transfer workers ask of the main window. Workers run on
// threads of their own and never touch widgets; every call here is synchronous: it
// returns only when the window has done it (the Qt main window delivers each call to
// the user-interface thread with Qt::BlockingQueuedConnection), so the window handles
// one at a time and needs no locks. Texts are UTF-8.
//
// Closing the window while a worker runs: the window asks the worker to stop through
// the worker's std::stop_token and must keep answering these calls until the worker
// has returned (they may then return at once and show nothing), because a worker
// blocked in a call to a window that waits for it would never end.
class WindowPort
{
public:
    virtual ~WindowPort() = default;

    // The status line.
    virtual void ShowStatus(std::string_view text) = 0;
    // Bytes done of total; the window shows ProgressPercent(done, total).
    virtual void ShowProgress(std::uint64_t done, std::uint64_t total) = 0;
    // Locks (false) or unlocks (true) the controls that start transfers or change
    // their paths; the lock sets the progress to 0 of 100, the unlock also clears the
    // percentage and sets the status to the idle text.
    virtual void EnableTransferControls(bool enable) = 0;
    // A modal message box owned by the window; returns when it was dismissed.
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // The closing message of a reception that did not finish every list, each named
    // with its reason (in the window a "Chyba!" message box); returns when it was
    // dismissed.
    virtual void ShowReceptionFailures(const std::vector<ListFailure>& failures) = 0;
    virtual void SetCursor(Cursor cursor) = 0;

    // The open-file question for the list to send (".dat" files, starting in
    // `initialFolder`): the chosen existing file, or nothing when it was cancelled.
    // A confirmed choice makes the chosen file's folder the working directory.
    virtual std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) = 0;
    // The two paths shown in the window, read when a worker needs them.
    virtual std::filesystem::path ReceiveFolder() = 0;
    virtual std::filesystem::path ConfigurationPath() = 0;

    // The link flag: true while a link to the handheld may be open.
    virtual bool LinkFlag() = 0;
    // The outcome of a connection attempt: true starts the pending transfer; false
    // shows the warning that the handheld is not connected and closes the program.
    virtual void LinkResult(bool connected) = 0;
    // The one-second watchdog of a connection attempt: when it fires before it is
    // stopped, the window reports LinkResult(false) itself. StopLinkWatchdog returns
    // true when it stopped the watchdog in time, false when it had already fired; the
    // window decides, so the two outcomes of one attempt can never both be reported.
    virtual void StartLinkWatchdog() = 0;
    virtual bool StopLinkWatchdog() = 0;

    // A program started with command-line arguments closes after every transfer.
    virtual bool HasCommandLineArguments() = 0;
    virtual void RequestClose() = 0;
};

// The percentage a progress report shows (at most 100), computed in 64 bits so that
// large lists never overflow; nothing when the total is 0 (the display stays as it is).
std::optional<unsigned> ProgressPercent(std::uint64_t done, std::uint64_t total);

} // namespace zvk
