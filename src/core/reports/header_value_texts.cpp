#include "reports/header_value_texts.h"

#include <unordered_set>

#include "reports/documents.h"
#include "reports/header_index.h"
#include "text/windows1250.h"

namespace zvk {

HeaderValueTexts ReadHeaderValueTexts(const std::filesystem::path& folder, int valueNumber,
                                      const std::filesystem::path& indexFolder,
                                      std::stop_token stop, const ListProgress& progress)
{
    HeaderValueTexts found;
    const Result<FolderLists> lists = ReportListsIn(folder);
    if (!lists) {
        found.unreadable.push_back(lists.error().file);
        return found;
    }
    IndexedListReader reader(indexFolder, *lists);
    std::unordered_set<std::string> seen; // texts in lower case
    ListCount count(progress, lists->names.size());
    count.Begin();
    for (std::size_t list = 0; list < lists->names.size(); ++list) {
        if (stop.stop_requested())
            break;
        const Result<const ListHeader*> header = reader.Header(list);
        if (!header) {
            found.unreadable.push_back(header.error().file);
        } else {
            for (const HeaderValueMention& value : (*header)->values) {
                if (!value.offered || value.number != valueNumber)
                    continue;
                const std::string_view text = reader.Texts().Text(value.text);
                if (seen.insert(Windows1250Lower(text)).second)
                    found.texts.emplace_back(text);
            }
        }
        count.OneMoreRead();
    }
    reader.SaveIndex();
    return found;
}

} // namespace zvk
