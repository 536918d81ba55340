#include "reports/documents.h"

#include <string>

#include "lists/record_layout.h"
#include "platform/texts.h"
#include "platform/windows1250.h"
#include "reports/report_list_reader.h"
#include "reports/text_format.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// The date and the filled header values of the list, each after its caption, in
// the order of the records in the file.
void WriteHeaderValues(ReportSession& session, const fs::path& list)
{
    ForEachListLine(list, [&](std::string_view line) {
        const std::string_view code = RecordCode(line);
        if (code == kDateRecordCode) {
            const ListDate date = DateOf(line);
            session.WriteText(FormatText(texts::kListDate, {date.day, date.month, date.year}));
            session.NewLine();
        }
        for (const HeaderValuePlace& place : HeaderValuesOf(code)) {
            if (place.number == 0)
                continue;
            const std::string value = Field(line, place.field);
            if (value == std::string(kHeaderValueWidth, ' '))
                continue;
            session.WriteText(session.Configuration().Caption(place.number));
            session.WriteText(value);
            session.NewLine();
        }
        return true;
    });
}

void WriteNote(ReportSession& session, const fs::path& list)
{
    session.AddListToSummaries(list);
    session.WriteText(FormatText(texts::kListName, {FileNameInWindows1250(list)}));
    session.NewLine();
    session.NewLine();
    WriteHeaderValues(session, list);
    session.NewLine();
    if (WantsListing(session.Options())) {
        session.WriteListingHeader();
        session.WriteListing(list);
        session.WriteTotals();
    }
    if (session.Options().sortedSummary)
        session.WriteSummaries();
}

} // namespace

WriteOutcome MakeConsignmentNote(const fs::path& list, const DocumentSettings& settings)
{
    return ReportSession::MakeDocument(settings, {list},
                                       [&](ReportSession& session) { WriteNote(session, list); });
}

} // namespace zvk
