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
                    const FolderLists& lists, HeaderIndex& index)
{
    session.BeginItems();
    const ListFilter filter(selection);
    IndexedListReader reader(index, lists);
    for (std::size_t list = 0; list < lists.paths.size(); ++list) {
        if (session.StopRequested())
            return {};
        const Result<const ListHeader*> header = reader.Header(list);
        if (!header)
            return Unexpected(header.error());
        if (filter.Verdict(**header, index.Texts()) == ListVerdict::Belongs) {
            const Result<std::string_view> bytes = reader.Bytes();
            if (!bytes)
                return Unexpected(bytes.error());
            session.TakeItems(*bytes);
        }
        session.ListRead();
    }
    session.EndItems();
    return {};
}

} // namespace

Result<FolderLists> ReportListsIn(const fs::path& folder)
{
    // Sorted by the names' text, each made once: a ten-year archive holds 50,000 lists.
    std::vector<std::pair<std::string, fs::path>> named;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code ignored; // an entry that vanished is simply not a list
        std::string name = PathText(it->path().filename());
        if (IsDataListName(name) && !it->is_directory(ignored))
            named.emplace_back(std::move(name), it->path());
    }
    if (error) {
        error = StandardReason(error);
        return Fail("cannot read the folder " + PathText(folder) + ": " + error.message(),
                    {folder, error, FileFailure::Access::ReadingFolder});
    }
    std::sort(named.begin(), named.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    FolderLists lists;
    lists.paths.reserve(named.size());
    lists.names.reserve(named.size());
    for (auto& [name, list] : named) {
        lists.names.push_back(std::move(name));
        lists.paths.push_back(std::move(list));
    }
    return lists;
}

Result<fs::path> MakeReport(const ReportSelection& selection, const fs::path& receiveFolder,
                            const DocumentSettings& settings)
{
    const Result<FolderLists> lists = ReportListsIn(receiveFolder);
    if (!lists)
        return Unexpected(lists.error());
    HeaderIndex index = HeaderIndex::Open(settings.indexFolder, receiveFolder, *lists);
    Result<fs::path> document =
        ReportSession::MakeDocument(settings, lists->paths, [&](ReportSession& session) {
            WriteSelection(session.Document(), selection);
            return WriteLists(session, selection, *lists, index);
        });
    index.Save();
    return document;
}

} // namespace zvk
