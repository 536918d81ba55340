#include "reports/header_value_texts.h"

#include <unordered_set>

#include "platform/windows1250.h"
#include "reports/documents.h"
#include "reports/header_index.h"

namespace zvk {

HeaderValueTexts ReadHeaderValueTexts(const std::filesystem::path& folder, int valueNumber,
                                      const std::filesystem::path& indexFolder,
                                      std::stop_token stop, const ListProgress& progress)
{
    HeaderValueTexts found;
    const Result<std::vector<std::filesystem::path>> lists = ReportListsIn(folder);
    if (!lists) {
        found.unreadable.push_back(lists.error().file);
        return found;
    }
    HeaderIndex index = HeaderIndex::Open(indexFolder, folder);
    IndexedListReader reader(index);
    std::unordered_set<std::string> seen; // texts in lower case
    ListCount count(progress, lists->size());
    count.Begin();
    for (const std::filesystem::path& list : *lists) {
        if (stop.stop_requested())
            break;
        const Result<const ListHeader*> header = reader.Header(list);
        if (!header) {
            found.unreadable.push_back(header.error().file);
        } else {
            for (const HeaderValueMention& value : (*header)->values) {
                if (!value.offered || value.number != valueNumber)
                    continue;
                const std::string_view text = index.Texts().Text(value.text);
                if (seen.insert(Windows1250Lower(text)).second)
                    found.texts.emplace_back(text);
            }
        }
        count.OneMoreRead();
    }
    index.Save(*lists);
    return found;
}

} // namespace zvk
