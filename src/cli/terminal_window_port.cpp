#include "cli/terminal_window_port.h"

#include <string>

#include "device/link.h"
#include "platform/texts.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

constexpr std::size_t kBarWidth = 40;

} // namespace

TerminalWindowPort::TerminalWindowPort(std::ostream& out, std::ostream& err, bool errIsTerminal,
                                       Paths paths)
    : m_out(out), m_err(err), m_errIsTerminal(errIsTerminal), m_paths(std::move(paths))
{}

bool TerminalWindowPort::WaitForLinkResult()
{
    std::unique_lock lock(m_mutex);
    m_linkDecided.wait(lock, [this] { return m_linkResult.has_value(); });
    return *m_linkResult;
}

void TerminalWindowPort::ShowStatus(std::string_view text)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_err << text << '\n';
}

void TerminalWindowPort::ShowProgress(std::uint64_t done, std::uint64_t total)
{
    const std::optional<unsigned> percent = m_progress.Change(done, total);
    if (!percent)
        return;
    const std::lock_guard lock(m_mutex);
    if (!m_errIsTerminal) {
        m_err << *percent << "%\n";
        return;
    }
    const std::size_t filled = kBarWidth * *percent / 100;
    m_err << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] "
          << *percent << '%' << std::flush;
    m_barDrawn = true;
}

void TerminalWindowPort::EnableTransferControls(bool /*enable*/)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_progress.Shown(std::nullopt);
}

void TerminalWindowPort::ShowMessage(std::string_view text, std::string_view caption,
                                     MessageIcon /*icon*/)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    // An empty handheld is no failure of the tool: the window's "Chyba!" box is a
    // notice here.
    if (caption == texts::kCaptionNotice || text == texts::kNoLists)
        m_out << text << '\n';
    else
        m_err << caption << ' ' << text << '\n';
}

void TerminalWindowPort::ShowReceptionFailures(const std::vector<ListFailure>& failures)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    for (const ListFailure& failure : failures) {
        m_err << "zvk: " << failure.list
              << (failure.step == ListFailure::Step::Converting
                      ? " was received, but its semicolon text was not written: "
                      : " stays on the handheld: ")
              << failure.detail << '\n';
    }
}

void TerminalWindowPort::SetCursor(Cursor /*cursor*/) {}

std::optional<fs::path> TerminalWindowPort::AskListToSend(const fs::path& /*initialFolder*/)
{
    return m_paths.listToSend;
}

fs::path TerminalWindowPort::ReceiveFolder()
{
    return m_paths.receiveFolder;
}

fs::path TerminalWindowPort::ConfigurationPath()
{
    return m_paths.configurationPath;
}

bool TerminalWindowPort::LinkFlag()
{
    // As in the window, which raises the flag when it is shown: every attempt first
    // closes whatever link may be left open.
    return true;
}

void TerminalWindowPort::LinkResult(bool connected)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!connected)
            m_err << texts::kCaptionWarning << ' ' << texts::kHandheldNotConnected << '\n';
        m_linkResult = connected;
    }
    m_linkDecided.notify_all();
}

void TerminalWindowPort::StartLinkWatchdog()
{
    m_watchdog.Start(kLinkWatchdogPeriod, [this] { LinkResult(false); });
}

bool TerminalWindowPort::StopLinkWatchdog()
{
    return m_watchdog.Stop();
}

bool TerminalWindowPort::HasCommandLineArguments()
{
    // The tool ends after its one transfer anyway.
    return false;
}

void TerminalWindowPort::RequestClose() {}

void TerminalWindowPort::EndProgressLine()
{
    if (m_barDrawn)
        m_err << '\n';
    m_barDrawn = false;
}

} // namespace zvk::cli
