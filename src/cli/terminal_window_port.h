#pragma once

#include <filesystem>
#include <mutex>
#include <optional>
#include <ostream>

#include "cli/terminal_progress.h"
#include "device/progress_display.h"
#include "device/window_port.h"

namespace zvk::cli {

// The window of the zvk tool: the terminal. Notices go to `out`; status lines, progress,
// errors and warnings to `err`, the progress as a bar redrawn in place when `err` is a
// terminal, else as a line per new percentage. The paths a window would show are
// given by the command's arguments. A handheld refused to the tool is said in one line,
// with no progress after it.
class TerminalWindowPort final : public WindowPort
{
public:
    struct Paths
    {
        std::filesystem::path receiveFolder;
        std::filesystem::path configurationPath;
        std::filesystem::path listToSend;
    };

    TerminalWindowPort(std::ostream& out, std::ostream& err, bool errIsTerminal, Paths paths);

    void ShowStatus(std::string_view text) override;
    void ShowProgress(std::uint64_t done, std::uint64_t total) override;
    void EnableTransferControls(bool enable) override;
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void ShowReceptionFailures(const std::vector<ListFailure>& failures) override;
    void ShowHandheldBusy() override;
    void ShowHandheldUnavailable(const Failure& failure) override;
    void ShowFileFailure(std::string_view heading, const Failure& failure) override;
    void SetCursor(Cursor cursor) override;
    std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) override;
    std::filesystem::path ReceiveFolder() override;
    std::filesystem::path ConfigurationPath() override;
    void LinkReady() override;
    void LinkResult(bool connected) override;
    void RequestClose() override;

private:
    void EndProgressLine();
    // No transfer, for `why`: said, and the progress shown no more.
    void Refused(std::string_view why);

    std::ostream& m_out;
    std::ostream& m_err;
    const bool m_errIsTerminal;
    const Paths m_paths;
    std::mutex m_mutex;
    ProgressDisplay m_progress;
    TerminalProgressBar m_bar;
    bool m_refused = false;
};

} // namespace zvk::cli
