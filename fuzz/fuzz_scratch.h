#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zvk::fuzz {

// A folder of the process's own under the system's temporary folder, created on first
// use and removed when the process ends: the targets whose readers take files write
// each input there.
const std::filesystem::path& ScratchFolder();

// Writes `bytes` as the whole of `file`, creating its folder.
void WriteScratchFile(const std::filesystem::path& file, std::string_view bytes);

// The input cut at every NUL byte: the fields of targets that take more than one text.
std::vector<std::string> SplitAtNul(std::string_view input);

} // namespace zvk::fuzz
