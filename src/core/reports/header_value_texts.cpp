#include "reports/header_value_texts.h"

#include <unordered_set>

#include "lists/data_list.h"
#include "platform/windows1250.h"
#include "reports/documents.h"
#include "reports/header_values.h"
#include "reports/report_list_reader.h"

namespace zvk {
namespace {

bool EndsHeaderValues(std::string_view code)
{
    return code == "2M" || code == "2N" || code == "2O";
}

} // namespace

HeaderValueTexts ReadHeaderValueTexts(const std::filesystem::path& folder, int valueNumber)
{
    HeaderValueTexts found;
    std::unordered_set<std::string> seen; // texts in lower case
    const auto take = [&](std::string_view line) {
        const std::string_view code = RecordCode(line);
        if (EndsHeaderValues(code))
            return false;
        for (const HeaderValuePlace& place : HeaderValuesOf(code)) {
            if (place.number != valueNumber)
                continue;
            std::string text = Field(line, place.column, kHeaderValueWidth);
            if (seen.insert(Windows1250Lower(text)).second)
                found.texts.push_back(std::move(text));
        }
        return true;
    };
    std::error_code error;
    const std::vector<std::filesystem::path> lists = ReportListsIn(folder, error);
    if (error)
        found.unreadable.push_back({folder, error, FileFailure::Access::ReadingFolder});
    for (const std::filesystem::path& list : lists) {
        try {
            ForEachListLine(list, take);
        } catch (const UnreadableListError& unreadable) {
            found.unreadable.push_back(unreadable.Failure());
        }
    }
    return found;
}

} // namespace zvk
