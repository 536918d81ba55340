#pragma once

#include <filesystem>
#include <mutex>
#include <optional>
#include <ostream>

#include "cli/terminal_progress.h"
#include "device/progress_display.h"
#include "device/transfer_port.h"
#include "words/transfer_words.h"

namespace zvk::cli {

// The port of the zvk tool: the terminal. It has no buttons to follow the link and ends
// after its one transfer, so it takes no link notices. Transfers that succeeded (and a
// handheld with nothing to receive) are told on `out`; status lines, progress, errors
// and warnings on `err`, the progress as a bar redrawn in place when `err` is a
// terminal, else as a line per new percentage. The paths a window would show are
// given by the command's arguments. A handheld refused to the tool is said in one line,
// with no progress after it. 100 % is shown only for a transfer that was done: a send the
// handheld did not take in, or a reception stopped or failed after its last byte, ends
// where its bytes were.
class TerminalWindowPort final : public TransferPort
{
public:
    // `listToSend` is the answer to the question for the list to send.
    TerminalWindowPort(std::ostream& out, std::ostream& err, bool errIsTerminal,
                       std::filesystem::path listToSend);

    void ShowStage(TransferStage stage) override;
    void ShowProgress(std::uint64_t done, std::uint64_t total) override;
    void EnableTransferControls(bool enable) override;
    void Report(TransferOutcome outcome) override;
    void ReportUnavailable(Unavailable what, const Failure& failure) override;
    void ReportReceptionFailures(const std::vector<ListFailure>& failures) override;
    void ReportKeptVersions(const std::vector<KeptVersion>& kept) override;
    void ReportReceiveFolderInHandheld(const std::filesystem::path& receiveFolder,
                                       const std::filesystem::path& handheldFolder) override;
    std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) override;

private:
    void EndProgressLine();
    void DrawPercent(unsigned percent);
    // The transfer was done, as `text` says on `out`: the 100 % held back is shown first.
    void Done(std::string_view text);
    // No transfer, for `why`: said, and the progress shown no more.
    void Refused(std::string_view why);
    // The window's message box as a line on `err`: its caption, then its text.
    void PrintWindowMessage(const words::Message& message);

    std::ostream& m_out;
    std::ostream& m_err;
    const bool m_errIsTerminal;
    const std::filesystem::path m_listToSend;
    std::mutex m_mutex;
    ProgressDisplay m_progress;
    TerminalProgressBar m_bar;
    bool m_refused = false;
    // 100 % was reached before the transfer's outcome was known; the outcome was done.
    bool m_fullHeldBack = false;
    bool m_done = false;
};

} // namespace zvk::cli
