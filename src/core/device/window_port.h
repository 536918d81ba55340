#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "device/list_failure.h"
#include "platform/result.h"

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
// threads of their own and never touch widgets. Texts are UTF-8.
//
// Two kinds of call. Notices (status, progress, cursor, the lock of the controls, the
// state of the link buttons, the close request) are delivered without waiting for the
// window: it shows them later, in the order they were made. Questions (the message
// boxes, the list to send, the two paths) wait for the window's answer; a window that is
// closing answers them at once (showing nothing), so that a worker told to stop is never
// kept waiting. A question is answered only after every notice made before it was shown.
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
    virtual void SetCursor(Cursor cursor) = 0;
    // The link is ready for transfers ("Zoznam poslať" and "Zoznamy prijať" enabled).
    virtual void LinkReady() = 0;
    // The outcome of a connection attempt ("Poslať" and "Zoznamy prijať" follow it).
    virtual void LinkResult(bool connected) = 0;
    virtual void RequestClose() = 0;

    // A modal message box owned by the window; returns when it was dismissed.
    virtual void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // The closing message of a reception that did not finish every list, each named
    // with its reason (in the window a "Chyba!" message box); returns when it was
    // dismissed.
    virtual void ShowReceptionFailures(const std::vector<ListFailure>& failures) = 0;
    // Another transfer holds the handheld: no failure, only no transfer; returns when it
    // was dismissed.
    virtual void ShowHandheldBusy() = 0;
    // The handheld cannot be opened or claimed for `failure`, which each window words in
    // its own language; returns when it was dismissed.
    virtual void ShowHandheldUnavailable(const Failure& failure) = 0;
    // A transfer cannot go on for a file (the one to send, the receive folder): the
    // heading (a text of the program's), then the file and the reason, which each
    // window words in its own language; returns when it was dismissed.
    virtual void ShowFileFailure(std::string_view heading, const Failure& failure) = 0;

    // The open-file question for the list to send (".dat" files, starting in
    // `initialFolder`): the chosen existing file, or nothing when it was cancelled.
    // A confirmed choice makes the chosen file's folder the working directory.
    virtual std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) = 0;
    // The two paths shown in the window, read when a worker needs them.
    virtual std::filesystem::path ReceiveFolder() = 0;
    virtual std::filesystem::path ConfigurationPath() = 0;
};

// The ending every transfer shares: arrow cursor, 100 %, controls unlocked.
void FinishTransfer(WindowPort& window);

// The percentage a progress report shows (at most 100), computed in 64 bits so that
// large lists never overflow; nothing when the total is 0 (the display stays as it is).
std::optional<unsigned> ProgressPercent(std::uint64_t done, std::uint64_t total);

} // namespace zvk
