#pragma once

#include <QMessageBox>
#include <QPointer>

#include "device/progress_display.h"
#include "device/window_port.h"

class CTarnwickDlg;
class TransferLink;

// The main window as the workers see it. Each call is carried out on the
// user-interface thread and the worker waits until it is done, so the window
// handles one call at a time, exactly in the order the worker makes them. While
// the window is closing, questions and message boxes are answered at once
// without showing anything, so that a worker told to stop is never kept waiting.
class MainWindowPort : public zvk::WindowPort
{
public:
    MainWindowPort(CTarnwickDlg& window, TransferLink& link);

    void ShowStatus(std::string_view text) override;
    void ShowProgress(std::uint64_t done, std::uint64_t total) override;
    void EnableTransferControls(bool enable) override;
    void ShowMessage(std::string_view text, std::string_view caption,
                     zvk::MessageIcon icon) override;
    void ShowReceptionFailures(const std::vector<zvk::ListFailure>& failures) override;
    void SetCursor(zvk::Cursor cursor) override;
    std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) override;
    std::filesystem::path ReceiveFolder() override;
    std::filesystem::path ConfigurationPath() override;
    bool LinkFlag() override;
    void LinkResult(bool connected) override;
    void StartLinkWatchdog() override;
    bool StopLinkWatchdog() override;
    bool HasCommandLineArguments() override;
    void RequestClose() override;

private:
    // Runs `call` on the window's thread and returns its result.
    template <typename Call> auto OnWindow(Call call);
    // A message box, unless the window is closing.
    void ShowBox(const QString& text, const QString& caption, QMessageBox::Icon icon);

    CTarnwickDlg& m_window;
    TransferLink& m_link;
    zvk::ProgressDisplay m_progress;
};
