#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "system/result.h"

namespace zvk {

// The names of the files of `folder` that `wanted` accepts, as PathText gives them, in
// the order the system lists them: every entry but a folder (a symbolic link counts as
// what it points to; one that points nowhere is a file). Only names are made, no paths:
// a ten-year receive folder holds 50,000 lists. A folder that cannot be read (a missing
// one too) fails.
Result<std::vector<std::string>> FileNamesIn(const std::filesystem::path& folder,
                                             bool (*wanted)(std::string_view name));

} // namespace zvk
