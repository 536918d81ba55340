#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "system/result.h"

namespace zvk {

// The data lists of a folder that a report reads: files whose names end in ".dat"
// in any letter case, in the byte order of their names, so that the same folder
// always gives the same report. A list's path is made only when it is read.
struct FolderLists
{
    std::filesystem::path folder;
    std::vector<std::string> names; // as PathText gives them

    std::filesystem::path PathOf(std::size_t list) const;
};

// The data lists of `folder`. A folder that cannot be read (a missing one too) fails:
// a report over it would look like one over an empty folder.
Result<FolderLists> ReportListsIn(const std::filesystem::path& folder);

} // namespace zvk
