#include "cli/terminal_window_port.h"

#include <string>

#include "cli/cli_texts.h"
#include "platform/path_text.h"
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
    case ListFailure::Step::Journaling:
        return messages::ListStillOnHandheld(failure.list, failure.failure.detail);
    case ListFailure::Step::ReadingHandheld:
    case ListFailure::Step::WritingList:
        break;
    }
    return messages::ListNotReceived(failure.list, failure.failure.detail);
}

std::string_view StageStatus(TransferStage stage)
{
    switch (stage) {
    case TransferStage::SendingConfiguration:
        return texts::kStatusSendingConfiguration;
    case TransferStage::PreparingExport:
        return texts::kStatusPreparingExport;
    case TransferStage::Receiving:
        return texts::kStatusReceiving;
    }
    return {};
}

std::string_view UnavailableHeading(Unavailable what)
{
    switch (what) {
    case Unavailable::Handheld:
        return texts::kHandheldUnavailable;
    case Unavailable::ReceiveFolder:
        return texts::kReceiveFolderUnusable;
    case Unavailable::Configuration:
        return texts::kConfigurationMissing;
    case Unavailable::ListToSend:
        return texts::kListMissing;
    }
    return {};
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
    m_err << StageStatus(stage) << '\n';
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
    switch (outcome) {
    case TransferOutcome::HandheldBusy:
        return Refused(messages::kHandheldBusy);
    case TransferOutcome::HandheldNotConnected:
        return SaidWith(texts::kCaptionWarning, texts::kHandheldNotConnected);
    case TransferOutcome::HandheldProgramNotStarted:
        return SaidWith(texts::kCaptionError, texts::kHandheldProgramNotStarted);
    case TransferOutcome::ConfigurationIsDataList:
        return SaidWith(texts::kCaptionError, texts::kConfigurationIsDataList);
    case TransferOutcome::SendFailed:
        return SaidWith(texts::kCaptionError, texts::kSendFailed);
    case TransferOutcome::ConfigurationSent:
    case TransferOutcome::ListSent:
        return Done(texts::kSendSucceeded);
    case TransferOutcome::SearchFailed:
        return SaidWith(texts::kCaptionError, texts::kSearchFailed);
    case TransferOutcome::NothingToReceive:
        // An empty handheld is no failure of the tool: the window's "Chyba!" box is a
        // notice here.
        return Done(texts::kNoLists);
    case TransferOutcome::Received:
        return Done(texts::kReceiveSucceeded);
    }
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

void TerminalWindowPort::SaidWith(std::string_view caption, std::string_view text)
{
    const std::lock_guard lock(m_mutex);
    EndProgressLine();
    m_err << caption << ' ' << text << '\n';
}

void TerminalWindowPort::ReportReceiveFolderInHandheld(const fs::path& receiveFolder,
                                                       const fs::path& handheldFolder)
{
    SaidWith(texts::kCaptionError,
             std::string(texts::kReceiveFolderInHandheld) + "\n" +
                 std::string(texts::kReceiveFolderLabel) + PathText(receiveFolder) + "\n" +
                 std::string(texts::kHandheldFolderLabel) + PathText(handheldFolder));
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
          << texts::kCaptionError << ' ' << UnavailableHeading(what) << '\n';
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
