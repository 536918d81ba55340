#pragma once

#include <stop_token>

#include <QMessageBox>

#include "device/progress_display.h"
#include "device/window_port.h"
#include "gui/window_call_queue.h"

class CTarnwickDlg;

// The main window as the workers see it. Notices are queued to the window's thread and
// shown there in the order the worker made them; the worker goes on at once. Questions
// are queued the same way (so every notice made before is shown first) and the worker
// waits for the answer, or until the window is closing: from Close on, every question
// is answered at once, showing nothing, so that closing never waits for a worker that
// waits for the window.
class MainWindowPort : public zvk::WindowPort
{
public:
    explicit MainWindowPort(CTarnwickDlg& window);

    // The window is closing (called on its thread).
    void Close();

    void ShowStatus(std::string_view text) override;
    void ShowProgress(std::uint64_t done, std::uint64_t total) override;
    void EnableTransferControls(bool enable) override;
    void SetCursor(zvk::Cursor cursor) override;
    void LinkReady() override;
    void LinkResult(bool connected) override;
    void RequestClose() override;
    void ShowMessage(std::string_view text, std::string_view caption,
                     zvk::MessageIcon icon) override;
    void ShowReceptionFailures(const std::vector<zvk::ListFailure>& failures) override;
    void ShowHandheldBusy() override;
    void ShowHandheldUnavailable(const zvk::Failure& failure) override;
    void ShowFileFailure(std::string_view heading, const zvk::Failure& failure) override;
    std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) override;
    std::filesystem::path ReceiveFolder() override;
    std::filesystem::path ConfigurationPath() override;

private:
    // Runs `call` on the window's thread, later unless already there.
    template <typename Call> void Notify(Call call);
    // Runs `call` on the window's thread and gives its result; a default value once the
    // window is closing. `call` carries its arguments by value (and the port itself): it may
    // still run after the worker, told of the closing, has gone on.
    template <typename Call> auto Ask(Call call) -> decltype(call());
    // A message box, unless the window is closing.
    void ShowBox(const QString& text, const QString& caption, QMessageBox::Icon icon);

    CTarnwickDlg& m_window;
    WindowCallQueue m_calls;
    std::stop_source m_closing;
    zvk::ProgressDisplay m_progress;
};
