#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "device/list_failure.h"
#include "device/transfer_outcome.h"
#include "files/earlier_version.h"
#include "system/result.h"

namespace zvk {

// What the link and the transfer workers tell a port (the program's main window, or the
// zvk tool's terminal) and ask of it. Workers run on threads of their own and never touch
// widgets; they tell what happened, and each port words it in its own language.
//
// Two kinds of call, each an interface of its own. Notices are delivered without waiting
// for the port: it shows them later, in the order they were made. Questions wait for the
// port's answer (for an outcome, that it was seen: the window's message box was
// dismissed); a port that is closing answers them at once, showing nothing, so that a
// worker told to stop is never kept waiting. A question is answered only after every
// notice made before it was shown.

// The notices of a transfer, which every port shows.
class TransferNotices
{
public:
    virtual ~TransferNotices() = default;

    // The step the transfer has come to (the window's status line).
    virtual void ShowStage(TransferStage stage) = 0;
    // Bytes done of total; the window shows ProgressPercent(done, total).
    virtual void ShowProgress(std::uint64_t done, std::uint64_t total) = 0;
    // Locks (false) or unlocks (true) the controls that start transfers or change
    // their paths; the lock sets the progress to 0 of 100, the unlock also clears the
    // percentage and sets the status to the idle text.
    virtual void EnableTransferControls(bool enable) = 0;
};

// The questions of a transfer, which every port answers: its outcomes, each returning
// once it was seen, and the list to send. What the transfer works with is not asked: the
// session is given it when the transfer is asked for (TransferInputs).
class TransferQuestions
{
public:
    virtual ~TransferQuestions() = default;

    virtual void Report(TransferOutcome outcome) = 0;
    // The transfer cannot go on without `what`, for `failure` (the file and the
    // system's reason, or an English detail).
    virtual void ReportUnavailable(Unavailable what, const Failure& failure) = 0;
    // A reception that did not finish every list, each named with its reason.
    virtual void ReportReceptionFailures(const std::vector<ListFailure>& failures) = 0;
    // Lists received under the names of desktop lists with other bytes, whose earlier
    // versions were kept before they were replaced, each with where it now is.
    virtual void ReportKeptVersions(const std::vector<KeptVersion>& kept) = 0;
    // No reception into a receive folder that is, or lies in, the folder playing the
    // handheld: the lists would be deleted where they arrive.
    virtual void ReportReceiveFolderInHandheld(const std::filesystem::path& receiveFolder,
                                               const std::filesystem::path& handheldFolder) = 0;

    // The open-file question for the list to send (".dat" files, starting in
    // `initialFolder`): the chosen existing file, or nothing when it was cancelled.
    // A confirmed choice makes the chosen file's folder the window's working folder.
    virtual std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) = 0;
};

// The notices of the link that only a window with buttons to follow it, and a program to
// close, has; the zvk tool ends after its one transfer and has none.
class LinkNotices
{
public:
    virtual ~LinkNotices() = default;

    // The link is ready for transfers ("Zoznam poslať" and "Zoznamy prijať" enabled).
    virtual void LinkReady() = 0;
    // The outcome of a connection attempt ("Poslať" and "Zoznamy prijať" follow it).
    virtual void LinkResult(bool connected) = 0;
    virtual void RequestClose() = 0;
};

// The ending every transfer shares: 100 %, controls unlocked.
void FinishTransfer(TransferNotices& notices);

// The percentage a progress report shows (at most 100), computed in 64 bits so that
// large lists never overflow; nothing when the total is 0 (the display stays as it is).
std::optional<unsigned> ProgressPercent(std::uint64_t done, std::uint64_t total);

} // namespace zvk
