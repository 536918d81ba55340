#pragma once

#include <filesystem>

namespace zvk {

// Starts the program that shows a finished document, without waiting for it: on
// Windows Microsoft Word from its two usual installation folders, and where neither
// exists the program associated with the document; elsewhere the desktop's default
// application for the document (xdg-open). False when no program could be started at
// all.
bool OpenWithSystemViewer(const std::filesystem::path& document);

} // namespace zvk
