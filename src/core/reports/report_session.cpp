#include "reports/report_session.h"

#include "reports/document_target.h"
#include "reports/report_list_reader.h"
#include "reports/summary_tables.h"

namespace zvk {

bool WantsListing(const ReportOptions& options)
{
    return options.completeListing || options.twoColumnListing;
}

ReportSession::ReportSession(const DocumentSettings& settings)
    : m_settings(settings), m_configuration(settings.configFile), m_listing(m_document)
{}

bool ReportSession::OpenReportDocument()
{
    m_summaries.Clear();
    m_listing.Reset(m_settings.options.twoColumnListing);
    return m_document.OpenReportDocument(m_settings.target, m_configuration.Company());
}

void ReportSession::WriteText(std::string_view text)
{
    m_document.WriteText(text);
}

void ReportSession::WriteControl(ControlWord word)
{
    m_document.WriteControl(word);
}

void ReportSession::NewLine()
{
    m_document.NewLine();
}

void ReportSession::AddListToSummaries(const std::filesystem::path& list)
{
    m_summaryPass.AddListToSummaries(list, m_summaries);
}

void ReportSession::WriteListing(const std::filesystem::path& list)
{
    m_listing.WriteListing(list);
}

void ReportSession::WriteListingHeader()
{
    m_listing.WriteListingHeader();
}

void ReportSession::WriteTotals()
{
    m_listing.WriteTotals();
}

void ReportSession::WriteSummaries()
{
    zvk::WriteSummaries(m_document, m_summaries);
}

bool ReportSession::StopRequested() const
{
    return m_settings.stop.stop_requested();
}

WriteOutcome ReportSession::CloseReportDocument()
{
    if (StopRequested())
        return Abandon("stopped before " + m_document.Path().string() + " was finished",
                       {m_document.Path(), std::make_error_code(std::errc::operation_canceled),
                        FileFailure::Access::Writing});
    m_summaries.Clear();
    WriteOutcome outcome;
    const bool closed = m_document.CloseReportDocument();
    outcome.output = m_document.Path();
    if (!closed) {
        outcome.error = m_document.Error();
        outcome.failure = m_document.Failure();
        return outcome;
    }
    if (m_settings.viewer != nullptr)
        m_settings.viewer->Show(outcome.output);
    return outcome;
}

WriteOutcome ReportSession::Abandon(const std::string& error, const FileFailure& failure)
{
    m_summaries.Clear();
    m_document.Discard();
    return {{}, error, failure};
}

WriteOutcome ReportSession::MakeDocument(const DocumentSettings& settings,
                                         const std::vector<std::filesystem::path>& inputs,
                                         const std::function<void(ReportSession&)>& write)
{
    if (std::optional<WriteOutcome> refused = RefusedDocumentTarget(settings, inputs))
        return *refused;
    ReportSession session(settings);
    if (!session.OpenReportDocument())
        return session.Abandon(session.m_document.Error(), session.m_document.Failure());
    try {
        write(session);
    } catch (const UnreadableListError& error) {
        return session.Abandon(error.what(), error.Failure());
    }
    return session.CloseReportDocument();
}

const ReportOptions& ReportSession::Options() const
{
    return m_settings.options;
}

const ReportConfiguration& ReportSession::Configuration() const
{
    return m_configuration;
}

} // namespace zvk
