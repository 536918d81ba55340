#include "cli/terminal_window_port.h"

#include <string>

#include "cli/cli_texts.h"
#include "text/path_text.h"
#include "words/transfer_words.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

std::string FailureLine(const ListFailure& failure)
{
    switch (failure.step) {
    case ListFailure::Step::Converting:
        return messages::ListNotConverted(failure.list, failure.failure.detail);
    case ListFailure::Step::DeletingOnHandheld:
    case ListFailure::Step::Journaling:
        return messages::ListStillOnHandheld(failure.list, failure.failure.detail);
    case ListFailure::Step::ReadingHandheld:
    case ListFailure::Step::WritingList:
        break;
    }
    return messages::ListNotReceived(failure.list, failure.failure.detail);
}

} // namespace

TerminalWindowPort::TerminalWindowPort(std::ostream& out, std::ostream& err, bool errIsTerminal,
                                       fs::path listToSend)
    : m_out(out), m_err(err), m_errIsTerminal(errIsTerminal), m_listToSend(std::move(listToSend)),
      m_bar(err)
{}

void TerminalWindowPort::ShowStage(TransferStage stage)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_err << words::StageStatus(stage) << '\n';
}

void TerminalWindowPort::ShowProgress(std::uint64_t done, std::uint64_t total)
{
    const std::optional<unsigned> percent = m_progress.Change(done, total);
    if (!percent)
        return;
    const std::lock_guard lock(m_mutex);
    if (m_refused)
        return;
    // The last byte written is not yet the list taken in, nor the reception ended.
    if (*percent == 100 && !m_done) {
        m_fullHeldBack = true;
        return;
    }
    DrawPercent(*percent);
}

void TerminalWindowPort::DrawPercent(unsigned percent)
{
    if (!m_errIsTerminal) {
        m_err << percent << "%\n";
        return;
    }
    m_bar.Draw(percent);
}

void TerminalWindowPort::EnableTransferControls(bool /*enable*/)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_progress.Shown(std::nullopt);
    m_fullHeldBack = false;
    m_done = false;
}

void TerminalWindowPort::Report(TransferOutcome outcome)
{
    if (outcome == TransferOutcome::HandheldBusy)
        return Refused(messages::kHandheldBusy);
    const words::Message message = words::OutcomeMessage(outcome);
    // An empty handheld is no failure of the tool: the window's "Chyba!" box is a notice
    // here.
    if (message.caption == words::kCaptionNotice || outcome == TransferOutcome::NothingToReceive)
        return Done(message.text);
    PrintWindowMessage(message);
}

void TerminalWindowPort::Done(std::string_view text)
{
    const std::lock_guard lock(m_mutex);
    m_done = true;
    if (m_fullHeldBack && !m_refused)
        DrawPercent(100);
    m_fullHeldBack = false;
    EndProgressLine();
    m_out << text << '\n';
}

void TerminalWindowPort::PrintWindowMessage(const words::Message& message)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_err << message.caption << ' ' << message.text << '\n';
}

void TerminalWindowPort::ReportReceiveFolderInHandheld(const fs::path& receiveFolder,
                                                       const fs::path& handheldFolder)
{
    PrintWindowMessage(words::ReceiveFolderInHandheldMessage(receiveFolder, handheldFolder));
}

void TerminalWindowPort::ReportReceptionFailures(const std::vector<ListFailure>& failures)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    for (const ListFailure& failure : failures) {
        m_err << messages::kPrefix << FailureLine(failure) << '\n';
    }
}

void TerminalWindowPort::ReportKeptVersions(const std::vector<KeptVersion>& kept)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    for (const KeptVersion& version : kept)
        m_err << messages::kPrefix
              << messages::EarlierListKept(PathText(version.list.filename()),
                                           PathText(version.keptAs))
              << '\n';
}

// The file and its reason in the tool's words, then the window's heading as a message; a
// handheld that cannot be had is said in the tool's words alone.
void TerminalWindowPort::ReportUnavailable(Unavailable what, const Failure& failure)
{
    if (what == Unavailable::Handheld)
        return Refused(failure.detail);
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_err << messages::kPrefix << failure.detail << '\n'
          << words::kCaptionError << ' ' << words::UnavailableHeading(what) << '\n';
}

void TerminalWindowPort::Refused(std::string_view why)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_err << messages::kPrefix << why << '\n';
    m_refused = true;
}

std::optional<fs::path> TerminalWindowPort::AskListToSend(const fs::path& /*initialFolder*/)
{
    return m_listToSend;
}

void TerminalWindowPort::EndProgressLine()
{
    m_bar.EndLine();
}

} // namespace zvk::cli
