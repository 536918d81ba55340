#include "reports/documents.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "lists/data_list.h"
#include "lists/line_reader.h"
#include "platform/path_text.h"
#include "platform/system_reason.h"
#include "reports/header_index.h"
#include "reports/list_passes.h"
#include "reports/text_format.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

void WriteSelection(ReportDocument& document, const ReportSelection& selection)
{
    document.WriteControl(ControlWord::Bold);
    document.WriteText(FormatText("   %02d.%02d.%04d - %02d.%02d.%04d",
                                  {selection.from.day, selection.from.month, selection.from.year,
                                   selection.to.day, selection.to.month, selection.to.year}));
    document.NewLine();
    document.NewLine();
    for (const CriteriaRow& row : selection.rows) {
        if (row.valueNumber > 0) {
            document.WriteText(FormatText("   %-s %s", {row.caption, row.chosenText}));
            document.NewLine();
        }
    }
    document.NewLine();
}

// The listing and the summary of every list that passes the selection, each list
// read once at most: a list whose header the index holds unchanged is opened only
// when it belongs. The first list that cannot be read ends it.
Result<> WriteLists(ReportSession& session, const ReportSelection& selection,
                    const std::vector<fs::path>& lists, HeaderIndex& index)
{
    const bool listing = WantsListing(session.Options());
    const bool sorted = session.Options().sortedSummary;
    if (listing)
        session.ItemListing().WriteListingHeader();
    const ListFilter filter(selection);
    IndexedListReader reader(index);
    for (const fs::path& list : lists) {
        if (session.StopRequested())
            return {};
        const Result<const ListHeader*> header = reader.Header(list);
        if (!header)
            return Unexpected(header.error());
        if (filter.Verdict(**header, index.Texts()) == ListVerdict::Belongs) {
            const Result<std::string_view> bytes = reader.Bytes(list);
            if (!bytes)
                return Unexpected(bytes.error());
            ForEachLineIn(*bytes, [&](std::string_view line) {
                if (listing)
                    session.ItemListing().WriteListingLine(line);
                if (sorted)
                    session.AddLineToSummaries(line);
            });
        }
        session.ListRead();
    }
    if (listing)
        session.ItemListing().WriteTotals();
    if (sorted)
        session.WriteSummaries();
    return {};
}

} // namespace

Result<std::vector<fs::path>> ReportListsIn(const fs::path& folder)
{
    std::vector<fs::path> lists;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code ignored; // an entry that vanished is simply not a list
        if (!it->is_directory(ignored) && HasDataListName(it->path()))
            lists.push_back(it->path());
    }
    std::sort(lists.begin(), lists.end(), [](const fs::path& a, const fs::path& b) {
        return PathText(a.filename()) < PathText(b.filename());
    });
    if (error) {
        error = StandardReason(error);
        return Fail("cannot read the folder " + PathText(folder) + ": " + error.message(),
                    {folder, error, FileFailure::Access::ReadingFolder});
    }
    return lists;
}

Result<fs::path> MakeReport(const ReportSelection& selection, const fs::path& receiveFolder,
                            const DocumentSettings& settings)
{
    const Result<std::vector<fs::path>> lists = ReportListsIn(receiveFolder);
    if (!lists)
        return Unexpected(lists.error());
    HeaderIndex index = HeaderIndex::Open(settings.indexFolder, receiveFolder);
    Result<fs::path> document =
        ReportSession::MakeDocument(settings, *lists, [&](ReportSession& session) {
            WriteSelection(session.Document(), selection);
            return WriteLists(session, selection, *lists, index);
        });
    index.Save(*lists);
    return document;
}

} // namespace zvk
