#include "reports/documents.h"

#include <string>

#include "files/input_file.h"
#include "lists/line_reader.h"
#include "lists/record_layout.h"
#include "reports/document_words.h"
#include "reports/list_header.h"
#include "reports/list_passes.h"
#include "reports/text_format.h"
#include "text/path_text.h"
#include "text/windows1250.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// The date and the filled header values of the list, each after its caption, in
// the order of the records in the file.
void WriteHeaderValues(ReportSession& session, std::string_view bytes)
{
    ReportDocument& document = session.Document();
    ForEachLineIn(bytes, [&](std::string_view line) {
        const std::string_view code = RecordCode(line);
        if (code == kDateRecordCode) {
            const ListDate date = DateOf(line);
            document.WriteText(
                FormatText(document_words::kListDate, {date.day, date.month, date.year}));
            document.NewLine();
        }
        for (const HeaderValuePlace& place : HeaderValuesOf(code)) {
            if (place.number == 0)
                continue;
            const std::string value = Field(line, place.field);
            if (value == std::string(kHeaderValueWidth, ' '))
                continue;
            document.WriteText(session.Configuration().Caption(place.number));
            document.WriteText(value);
            document.NewLine();
        }
    });
}

// The list is read once for its header values, its listing and its summary.
Result<> WriteNote(ReportSession& session, const fs::path& list)
{
    std::string bytes;
    if (Result<> read = ReadWholeFileInto(list, bytes); !read)
        return read;
    ReportDocument& document = session.Document();
    document.WriteText(FormatText(document_words::kListName, {FileNameInWindows1250(list)}));
    document.NewLine();
    document.NewLine();
    WriteHeaderValues(session, bytes);
    HeaderTextTable texts;
    if (const std::optional<DateDoubt> doubt = DateDoubtOf(ReadListHeader(bytes, texts)))
        session.TellDoubtfulDate(PathText(list.filename()), *doubt, true);
    document.NewLine();
    session.BeginItems();
    session.TakeItems(bytes);
    session.EndItems();
    session.ListRead();
    return {};
}

} // namespace

Result<fs::path> MakeConsignmentNote(const fs::path& list, const DocumentSettings& settings)
{
    return ReportSession::MakeDocument(
        settings, FolderLists{list.parent_path(), {PathText(list.filename())}},
        [&](ReportSession& session) { return WriteNote(session, list); });
}

} // namespace zvk
