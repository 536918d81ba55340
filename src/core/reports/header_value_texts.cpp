#include "reports/header_value_texts.h"

#include <unordered_set>

#include "lists/record_layout.h"
#include "platform/windows1250.h"
#include "reports/documents.h"
#include "reports/report_list_reader.h"

namespace zvk {
namespace {

// Header records stand before the items; a sawn-timber item does not end them.
bool EndsHeaderValues(std::string_view code)
{
    const std::optional<ItemKind> kind = ItemKindOf(code);
    return kind == ItemKind::LongWood || kind == ItemKind::StackedWood;
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
            std::string text = Field(line, place.field);
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
