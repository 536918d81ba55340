#include "cli/terminal_window_port.h"

#include <string>

#include "cli/cli_texts.h"
#include "platform/texts.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

std::string FailureLine(const ListFailure& failure)
{
    switch (failure.step) {
    case ListFailure::Step::Converting:
        return messages::ListNotConverted(failure.list, failure.failure.detail);
    case ListFailure::Step::DeletingOnHandheld:
        return messages::ListStillOnHandheld(failure.list, failure.failure.detail);
    case ListFailure::Step::ReadingHandheld:
    case ListFailure::Step::WritingList:
        break;
    }
    return messages::ListNotReceived(failure.list, failure.failure.detail);
}

} // namespace

TerminalWindowPort::TerminalWindowPort(std::ostream& out, std::ostream& err, bool errIsTerminal,
                                       Paths paths)
    : m_out(out), m_err(err), m_errIsTerminal(errIsTerminal), m_paths(std::move(paths)), m_bar(err)
{}

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
    if (m_refused)
        return;
    if (!m_errIsTerminal) {
        m_err << *percent << "%\n";
        return;
    }
    m_bar.Draw(*percent);
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
        m_err << messages::kPrefix << FailureLine(failure) << '\n';
    }
}

void TerminalWindowPort::ShowHandheldBusy()
{
    Refused(messages::kHandheldBusy);
}

void TerminalWindowPort::ShowHandheldUnavailable(const Failure& failure)
{
    Refused(failure.detail);
}

void TerminalWindowPort::Refused(std::string_view why)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_err << messages::kPrefix << why << '\n';
    m_refused = true;
}

// The file and its reason in the tool's words, then the window's heading as a message.
void TerminalWindowPort::ShowFileFailure(std::string_view heading, const Failure& failure)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_err << messages::kPrefix << failure.detail << '\n'
          << texts::kCaptionError << ' ' << heading << '\n';
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

// The terminal has no buttons to follow the link, and the tool ends after its transfer.
void TerminalWindowPort::LinkReady() {}

void TerminalWindowPort::LinkResult(bool /*connected*/) {}

void TerminalWindowPort::RequestClose() {}

void TerminalWindowPort::EndProgressLine()
{
    m_bar.EndLine();
}

} // namespace zvk::cli
