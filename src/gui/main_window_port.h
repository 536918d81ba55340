#pragma once

#include <stop_token>

#include <QMessageBox>

#include "device/progress_display.h"
#include "device/transfer_port.h"
#include "gui/transfer_outcome_text.h"
#include "gui/window_call_queue.h"

class CTarnwickDlg;

// The main window as the link and the workers see it; it words their outcomes in the
// program's language (gui/transfer_outcome_text.h). Notices are queued to the window's thread and
// shown there in the order the worker made them; the worker goes on at once. Questions
// are queued the same way (so every notice made before is shown first) and the worker
// waits for the answer, or until the window is closing: from Close on, every question
// is answered at once, showing nothing, so that closing never waits for a worker that
// waits for the window.
class MainWindowPort : public zvk::TransferPort, public zvk::LinkNotices
{
public:
    explicit MainWindowPort(CTarnwickDlg& window);

    // The window is closing (called on its thread).
    void Close();

    // A stage shows the wait cursor until the controls are unlocked.
    void ShowStage(zvk::TransferStage stage) override;
    void ShowProgress(std::uint64_t done, std::uint64_t total) override;
    void EnableTransferControls(bool enable) override;
    void LinkReady() override;
    void LinkResult(bool connected) override;
    void RequestClose() override;
    void Report(zvk::TransferOutcome outcome) override;
    void ReportUnavailable(zvk::Unavailable what, const zvk::Failure& failure) override;
    void ReportReceptionFailures(const std::vector<zvk::ListFailure>& failures) override;
    void ReportKeptVersions(const std::vector<zvk::KeptVersion>& kept) override;
    void ReportReceiveFolderInHandheld(const std::filesystem::path& receiveFolder,
                                       const std::filesystem::path& handheldFolder) override;
    std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) override;

private:
    // Runs `call` on the window's thread, later unless already there.
    template <typename Call> void Notify(Call call);
    // Runs `call` on the window's thread and gives its result; a default value once the
    // window is closing. `call` carries its arguments by value (and the port itself): it may
    // still run after the worker, told of the closing, has gone on.
    template <typename Call> auto Ask(Call call) -> decltype(call());
    // A message box, unless the window is closing.
    void ShowBox(const zvk::OutcomeMessage& message);

    CTarnwickDlg& m_window;
    WindowCallQueue m_calls;
    std::stop_source m_closing;
    zvk::ProgressDisplay m_progress;
};
