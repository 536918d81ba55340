#include "reports/folder_lists.h"

#include <algorithm>

#include "files/folder_files.h"
#include "lists/data_list.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {

fs::path FolderLists::PathOf(std::size_t list) const
{
    return folder / PathFromText(names[list]);
}

Result<FolderLists> ReportListsIn(const fs::path& folder)
{
    Result<std::vector<std::string>> names = FileNamesIn(folder, &IsDataListName);
    if (!names)
        return Unexpected(std::move(names).error());
    std::sort(names->begin(), names->end());
    return FolderLists{folder, std::move(*names)};
}

} // namespace zvk
