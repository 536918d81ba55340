#pragma once

#include <filesystem>

#include <QString>

namespace zvk {

// Paths shown in the windows and paths on the disk: file names are in the
// desktop's own encoding and are converted as such, never byte by byte.
QString ToDisplayPath(const std::filesystem::path& path);
std::filesystem::path ToFilePath(const QString& text);

} // namespace zvk
