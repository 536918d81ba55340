#include "reports/documents.h"

#include <string>

#include "lists/line_reader.h"
#include "lists/record_layout.h"
#include "platform/texts.h"
#include "platform/windows1250.h"
#include "reports/text_format.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// The date and the filled header values of the list, each after its caption, in
// the order of the records in the file.
Result<> WriteHeaderValues(ReportSession& session, const fs::path& list)
{
    ReportDocument& document = session.Document();
    return ForEachListLine(list, [&](std::string_view line) {
        const std::string_view code = RecordCode(line);
        if (code == kDateRecordCode) {
            const ListDate date = DateOf(line);
            document.WriteText(FormatText(texts::kListDate, {date.day, date.month, date.year}));
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
        return true;
    });
}

Result<> WriteNote(ReportSession& session, const fs::path& list)
{
    if (Result<> added = session.AddListToSummaries(list); !added)
        return added;
    ReportDocument& document = session.Document();
    document.WriteText(FormatText(texts::kListName, {FileNameInWindows1250(list)}));
    document.NewLine();
    document.NewLine();
    if (Result<> written = WriteHeaderValues(session, list); !written)
        return written;
    document.NewLine();
    if (WantsListing(session.Options())) {
        Listing& listing = session.ItemListing();
        listing.WriteListingHeader();
        if (Result<> listed = listing.WriteListing(list); !listed)
            return listed;
        listing.WriteTotals();
    }
    if (session.Options().sortedSummary)
        session.WriteSummaries();
    session.ListRead();
    return {};
}

} // namespace

Result<fs::path> MakeConsignmentNote(const fs::path& list, const DocumentSettings& settings)
{
    return ReportSession::MakeDocument(
        settings, {list}, [&](ReportSession& session) { return WriteNote(session, list); });
}

} // namespace zvk
