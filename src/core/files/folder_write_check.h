#pragma once

#include <filesystem>

#include "system/result.h"

namespace zvk {

// Whether the program can keep a file in `folder` as it keeps lists there: a file is
// written under a temporary name, synced to the disk, renamed into place and removed
// again. Its name is one that every writer's sweep takes for an abandoned temporary
// file, so that not even a run killed on the way leaves it for long. The failure names
// the step and the file.
Result<> CheckFileCanBeKeptIn(const std::filesystem::path& folder);

} // namespace zvk
