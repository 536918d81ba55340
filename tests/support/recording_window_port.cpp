#include "support/recording_window_port.h"

namespace fs = std::filesystem;

#include "text/path_text.h"

namespace zvk::test {
namespace {

std::string StageName(TransferStage stage)
{
    switch (stage) {
    case TransferStage::SendingConfiguration:
        return "sending configuration";
    case TransferStage::PreparingExport:
        return "preparing export";
    case TransferStage::Receiving:
        return "receiving";
    case TransferStage::Count:
        break;
    }
    return "?";
}

std::string UnavailableName(Unavailable what)
{
    switch (what) {
    case Unavailable::Handheld:
        return "handheld";
    case Unavailable::ReceiveFolder:
        return "receive folder";
    case Unavailable::Configuration:
        return "configuration";
    case Unavailable::ListToSend:
        return "list to send";
    case Unavailable::Count:
        break;
    }
    return "?";
}

std::string OutcomeName(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::HandheldBusy:
        return "handheld busy";
    case TransferOutcome::HandheldNotConnected:
        return "not connected";
    case TransferOutcome::HandheldProgramNotStarted:
        return "program not started";
    case TransferOutcome::ConfigurationIsDataList:
        return "configuration is a list";
    case TransferOutcome::SendFailed:
        return "send failed";
    case TransferOutcome::ConfigurationSent:
        return "configuration sent";
    case TransferOutcome::ListSent:
        return "list sent";
    case TransferOutcome::SearchFailed:
        return "search failed";
    case TransferOutcome::NothingToReceive:
        return "nothing to receive";
    case TransferOutcome::Received:
        return "received";
    case TransferOutcome::Count:
        break;
    }
    return "?";
}

} // namespace

std::vector<std::string> RecordingWindowPort::Events() const
{
    const std::lock_guard lock(m_mutex);
    return m_events;
}

std::vector<std::pair<std::uint64_t, std::uint64_t>> RecordingWindowPort::Progress() const
{
    const std::lock_guard lock(m_mutex);
    return m_progress;
}

std::vector<unsigned> RecordingWindowPort::Percentages() const
{
    std::vector<unsigned> shown;
    for (const auto& [done, total] : Progress())
        if (const std::optional<unsigned> percent = ProgressPercent(done, total))
            shown.push_back(*percent);
    return shown;
}

std::vector<std::string> RecordingWindowPort::Outcomes() const
{
    std::vector<std::string> outcomes;
    for (const std::string& event : Events())
        if (event.rfind("outcome ", 0) == 0)
            outcomes.push_back(event.substr(8));
    return outcomes;
}

std::vector<std::string> RecordingWindowPort::Failures() const
{
    std::vector<std::string> failures;
    for (const std::string& event : Events())
        if (event.rfind("failure ", 0) == 0)
            failures.push_back(event.substr(8));
    return failures;
}

void RecordingWindowPort::ShowStage(TransferStage stage)
{
    Record("stage " + StageName(stage));
}

void RecordingWindowPort::ShowProgress(std::uint64_t done, std::uint64_t total)
{
    {
        const std::lock_guard lock(m_mutex);
        m_progress.emplace_back(done, total);
    }
    if (onProgress)
        onProgress(done, total);
}

void RecordingWindowPort::EnableTransferControls(bool enable)
{
    Record(enable ? "unlock" : "lock");
}

void RecordingWindowPort::Report(TransferOutcome outcome)
{
    Record("outcome " + OutcomeName(outcome));
}

void RecordingWindowPort::ReportUnavailable(Unavailable what, const Failure& failure)
{
    Record("unavailable " + UnavailableName(what) + "|" + failure.detail);
}

void RecordingWindowPort::ReportReceiveFolderInHandheld(const fs::path& refused,
                                                        const fs::path& handheldFolder)
{
    Record("outcome receive folder in handheld|" + PathText(refused) + "|" +
           PathText(handheldFolder));
}

void RecordingWindowPort::ReportKeptVersions(const std::vector<KeptVersion>& kept)
{
    for (const KeptVersion& version : kept)
        Record("kept " + PathText(version.list.filename()) + " as " +
               PathText(version.keptAs.parent_path().filename()) + "/" +
               PathText(version.keptAs.filename()));
}

void RecordingWindowPort::ReportReceptionFailures(const std::vector<ListFailure>& failures)
{
    for (const ListFailure& failure : failures) {
        if (failure.step == ListFailure::Step::ReadingHandheld)
            Record("failure not received " + failure.list +
                   " (handheld): " + failure.failure.detail);
        else if (failure.step == ListFailure::Step::DeletingOnHandheld)
            Record("failure still on the handheld " + failure.list + ": " + failure.failure.detail);
        else if (failure.step == ListFailure::Step::Journaling)
            Record("failure not journaled " + failure.list + ": " +
                   failure.failure.file.reason.message());
        else
            Record(std::string(failure.step == ListFailure::Step::Converting
                                   ? "failure not converted "
                                   : "failure not received ") +
                   failure.list + ": " + failure.failure.file.reason.message());
    }
}

std::optional<fs::path> RecordingWindowPort::AskListToSend(const fs::path& initialFolder)
{
    Record("ask " + initialFolder.string());
    return listToSend;
}

TransferInputs RecordingWindowPort::Inputs() const
{
    return {receiveFolder, configurationPath, convertReceivedLists, workingFolder};
}

void RecordingWindowPort::LinkReady()
{
    Record("link ready");
}

void RecordingWindowPort::LinkResult(bool connected)
{
    Record(connected ? "link 1" : "link 0");
}

void RecordingWindowPort::RequestClose()
{
    Record("close");
}

void RecordingWindowPort::Record(std::string event)
{
    const std::lock_guard lock(m_mutex);
    m_events.push_back(std::move(event));
}

} // namespace zvk::test
