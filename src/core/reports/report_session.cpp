#include "reports/report_session.h"

#include <set>
#include <system_error>

#include "files/name_count.h"
#include "files/output_refusal.h"
#include "lists/data_list.h"
#include "lists/line_reader.h"
#include "reports/summary_tables.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// The names of the symbolic links in `folder`, found by reading it once rather than
// by asking for every input on its own.
std::set<std::string> SymbolicLinksIn(const fs::path& folder)
{
    std::set<std::string> links;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
         !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code ignored; // an entry that vanished is no link
        if (it->is_symlink(ignored))
            links.insert(PathText(it->path().filename()));
    }
    return links;
}

// An output with a single name can be the file of an input only when the input has
// that name too or is a symbolic link, so only those are compared: a report over
// thousands of lists does not look at each of them once more.
bool IsTheFileOfAny(const fs::path& output, const FolderLists& inputs)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(output, ec);
    if (!fs::exists(status))
        return false;
    const bool singleName = fs::is_regular_file(status) && NameCount(output, ec) == 1;
    const std::set<std::string> links =
        singleName ? SymbolicLinksIn(inputs.folder) : std::set<std::string>();
    const std::string outputName = PathText(output.filename());
    for (std::size_t input = 0; input < inputs.names.size(); ++input) {
        const std::string& name = inputs.names[input];
        if (singleName && name != outputName && !links.contains(name))
            continue;
        if (fs::equivalent(output, inputs.PathOf(input), ec))
            return true;
    }
    return false;
}

// A document may not be written where `settings` put it, told before anything is
// read, when the named output has the name of a data list, or is the very file of one
// of `lists` or of the configuration it prints from: it would destroy what the
// document is made of. A time-stamped document never replaces a file.
Result<> AcceptedDocumentTarget(const DocumentSettings& settings, const FolderLists& lists)
{
    const fs::path& output = settings.target.file;
    if (output.empty())
        return {};
    std::error_code reason;
    std::error_code ec;
    if (HasDataListName(output))
        reason = OutputRefusal::DataListName;
    else if (IsTheFileOfAny(output, lists) || fs::equivalent(output, settings.configFile, ec))
        reason = OutputRefusal::SameAsInput;
    if (!reason)
        return {};
    return Fail(PathText(output) + " " + reason.message(),
                {output, reason, FileFailure::Access::Writing});
}

} // namespace

bool WantsListing(const ReportOptions& options)
{
    return options.completeListing || options.twoColumnListing;
}

ReportConfiguration::ReportConfiguration(const fs::path& configFile)
    : m_configuration(LoadDeviceConfiguration(configFile))
{}

CompanyHeader ReportConfiguration::Company() const
{
    const auto& lines = m_configuration.companyLines;
    return {lines[0], lines[1], lines[2]};
}

std::string ReportConfiguration::Caption(int valueNumber) const
{
    const auto& captions = m_configuration.rowCaptions;
    if (valueNumber < 1 || static_cast<std::size_t>(valueNumber) > captions.size())
        return {};
    return captions[static_cast<std::size_t>(valueNumber) - 1];
}

Result<fs::path> ReportSession::MakeDocument(const DocumentSettings& settings,
                                             const FolderLists& inputs,
                                             const std::function<Result<>(ReportSession&)>& write)
{
    if (Result<> accepted = AcceptedDocumentTarget(settings, inputs); !accepted)
        return Unexpected(std::move(accepted).error());
    ReportSession session(settings, inputs.names.size());
    if (Result<> opened = session.OpenReportDocument(); !opened)
        return session.Abandon(std::move(opened).error());
    session.m_listsRead.Begin();
    if (Result<> written = write(session); !written)
        return session.Abandon(std::move(written).error());
    return session.CloseReportDocument();
}

ReportSession::ReportSession(const DocumentSettings& settings, std::uint64_t listCount)
    : m_settings(settings), m_configuration(settings.configFile), m_listing(m_document),
      m_listsRead(m_settings.progress, listCount)
{}

ReportDocument& ReportSession::Document()
{
    return m_document;
}

const ReportOptions& ReportSession::Options() const
{
    return m_settings.options;
}

const ReportConfiguration& ReportSession::Configuration() const
{
    return m_configuration;
}

void ReportSession::BeginItems()
{
    if (WantsListing(m_settings.options))
        m_listing.WriteListingHeader();
}

void ReportSession::TakeItems(std::string_view bytes)
{
    const bool listing = WantsListing(m_settings.options);
    const bool sorted = m_settings.options.sortedSummary;
    ForEachLineIn(bytes, [&](std::string_view line) {
        if (listing)
            m_listing.WriteListingLine(line);
        if (sorted)
            m_summaryPass.AddLine(line, m_summaries);
    });
}

void ReportSession::EndItems()
{
    if (WantsListing(m_settings.options))
        m_listing.WriteTotals();
    if (m_settings.options.sortedSummary)
        WriteSummaries(m_document, m_summaries);
}

bool ReportSession::StopRequested() const
{
    return m_settings.stop.stop_requested();
}

void ReportSession::ListRead()
{
    m_listsRead.OneMoreRead();
}

void ReportSession::TellDoubtfulDate(std::string_view name, DateDoubt doubt, bool inDocument) const
{
    if (m_settings.doubtfulDate)
        m_settings.doubtfulDate({std::string(name), doubt, inDocument});
}

Result<> ReportSession::OpenReportDocument()
{
    m_summaries.Clear();
    m_listing.Reset(m_settings.options.twoColumnListing);
    return m_document.OpenReportDocument(m_settings.target, m_configuration.Company());
}

Result<fs::path> ReportSession::CloseReportDocument()
{
    if (StopRequested())
        return Abandon({"stopped before " + PathText(m_document.Path()) + " was finished",
                        {m_document.Path(), std::make_error_code(std::errc::operation_canceled),
                         FileFailure::Access::Writing}});
    m_summaries.Clear();
    if (Result<> closed = m_document.CloseReportDocument(); !closed)
        return Unexpected(std::move(closed).error());
    if (m_settings.viewer != nullptr)
        m_settings.viewer->Show(m_document.Path());
    return m_document.Path();
}

Unexpected<Failure> ReportSession::Abandon(Failure failure)
{
    m_summaries.Clear();
    m_document.Discard();
    return Unexpected(std::move(failure));
}

} // namespace zvk
