#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace zvk {

// Opens a file for reading as bytes; false (and the reason in `error`) when it is
// missing, a folder, or cannot be opened.
bool OpenInputFile(const std::filesystem::path& path, std::ifstream& in, std::string& error);
// The same, with the system's reason as a code too, for messages in the program's
// own language.
bool OpenInputFile(const std::filesystem::path& path, std::ifstream& in, std::string& error,
                   std::error_code& reason);

// The whole file as bytes; false (and the reason in `error`) when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::string& error);

} // namespace zvk
