#pragma once

#include <cstdio>
#include <filesystem>

namespace zvk {

// Creates `path` for writing bytes only when no file of that name exists yet, so
// that two writers can never end up in the same file; null when it exists or
// cannot be created (errno says why).
std::FILE* OpenNewFile(const std::filesystem::path& path);

// Opens `path` for writing bytes, replacing an existing file; null on failure.
std::FILE* OpenFileForWriting(const std::filesystem::path& path);

} // namespace zvk
