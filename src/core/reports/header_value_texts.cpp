#include "reports/header_value_texts.h"

#include <unordered_set>

#include "lists/line_reader.h"
#include "lists/record_layout.h"
#include "platform/windows1250.h"
#include "reports/documents.h"

namespace zvk {
namespace {

// Header records stand before the items; a sawn-timber item does not end them.
bool EndsHeaderValues(std::string_view code)
{
    const std::optional<ItemKind> kind = ItemKindOf(code);
    return kind == ItemKind::LongWood || kind == ItemKind::StackedWood;
}

} // namespace

HeaderValueTexts ReadHeaderValueTexts(const std::filesystem::path& folder, int valueNumber,
                                      std::stop_token stop, const ListProgress& progress)
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
    const Result<std::vector<std::filesystem::path>> lists = ReportListsIn(folder);
    if (!lists) {
        found.unreadable.push_back(lists.error().file);
        return found;
    }
    ListCount count(progress, lists->size());
    count.Begin();
    for (const std::filesystem::path& list : *lists) {
        if (stop.stop_requested())
            break;
        if (Result<> read = ForEachListLine(list, take); !read)
            found.unreadable.push_back(read.error().file);
        count.OneMoreRead();
    }
    return found;
}

} // namespace zvk
