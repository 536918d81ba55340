#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/result.h"

namespace zvk {

// A file opened for reading as bytes, or why not: it is missing, a folder, or cannot
// be opened.
Result<std::ifstream> OpenInputFile(const std::filesystem::path& path);

// The whole file as bytes, or why it cannot be read.
Result<std::string> ReadWholeFile(const std::filesystem::path& path);

} // namespace zvk
