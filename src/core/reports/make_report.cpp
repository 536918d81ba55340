#include "reports/documents.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "lists/data_list.h"
#include "reports/list_passes.h"
#include "reports/text_format.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

void WriteSelection(ReportSession& session, const ReportSelection& selection)
{
    session.WriteControl(ControlWord::Bold);
    session.WriteText(FormatText("   %02d.%02d.%04d - %02d.%02d.%04d",
                                 {selection.from.day, selection.from.month, selection.from.year,
                                  selection.to.day, selection.to.month, selection.to.year}));
    session.NewLine();
    session.NewLine();
    for (const CriteriaRow& row : selection.rows) {
        if (row.valueNumber > 0) {
            session.WriteText(FormatText("   %-s %s", {row.caption, row.chosenText}));
            session.NewLine();
        }
    }
    session.NewLine();
}

void WriteLists(ReportSession& session, const ReportSelection& selection,
                const std::vector<fs::path>& lists)
{
    const bool listing = WantsListing(session.Options());
    const bool sorted = session.Options().sortedSummary;
    if (listing)
        session.WriteListingHeader();
    const ListFilter filter(selection);
    for (const fs::path& list : lists) {
        if (session.StopRequested())
            return;
        if (!filter.ListPassesFilter(list))
            continue;
        if (listing)
            session.WriteListing(list);
        if (sorted)
            session.AddListToSummaries(list);
    }
    if (listing)
        session.WriteTotals();
    if (sorted)
        session.WriteSummaries();
}

} // namespace

std::vector<fs::path> ReportListsIn(const fs::path& folder, std::error_code& error)
{
    std::vector<fs::path> lists;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code ignored; // an entry that vanished is simply not a list
        if (!it->is_directory(ignored) && HasDataListName(it->path()))
            lists.push_back(it->path());
    }
    std::sort(lists.begin(), lists.end(), [](const fs::path& a, const fs::path& b) {
        return a.filename().string() < b.filename().string();
    });
    return lists;
}

WriteOutcome MakeReport(const ReportSelection& selection, const fs::path& receiveFolder,
                        const DocumentSettings& settings)
{
    std::error_code unreadable;
    const std::vector<fs::path> lists = ReportListsIn(receiveFolder, unreadable);
    if (unreadable)
        return {{},
                "cannot read the folder " + receiveFolder.string() + ": " + unreadable.message(),
                {receiveFolder, unreadable, FileFailure::Access::ReadingFolder}};
    return ReportSession::MakeDocument(settings, lists, [&](ReportSession& session) {
        WriteSelection(session, selection);
        WriteLists(session, selection, lists);
    });
}

} // namespace zvk
