#include "reports/documents.h"

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
                    const FolderLists& lists, IndexedListReader& reader)
{
    session.BeginItems();
    const ListFilter filter(selection);
    for (std::size_t list = 0; list < lists.names.size(); ++list) {
        if (session.StopRequested())
            return {};
        const Result<const ListHeader*> header = reader.Header(list);
        if (!header)
            return Unexpected(header.error());
        const bool belongs = filter.Verdict(**header, reader.Texts()) == ListVerdict::Belongs;
        if (belongs) {
            const Result<std::string_view> bytes = reader.Bytes();
            if (!bytes)
                return Unexpected(bytes.error());
            session.TakeItems(*bytes);
        }
        if (const std::optional<DateDoubt> doubt = filter.DateDoubtFor(**header, reader.Texts()))
            session.TellDoubtfulDate(lists.names[list], *doubt, belongs);
        session.ListRead();
    }
    session.EndItems();
    return {};
}

} // namespace

Result<fs::path> MakeReport(const ReportSelection& selection, const fs::path& receiveFolder,
                            const DocumentSettings& settings)
{
    const Result<FolderLists> lists = ReportListsIn(receiveFolder);
    if (!lists)
        return Unexpected(lists.error());
    IndexedListReader reader(settings.indexFolder, *lists);
    Result<fs::path> document =
        ReportSession::MakeDocument(settings, *lists, [&](ReportSession& session) {
            WriteSelection(session.Document(), selection);
            return WriteLists(session, selection, *lists, reader);
        });
    reader.SaveIndex();
    return document;
}

} // namespace zvk
