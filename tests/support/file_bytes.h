#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zvk::test {

// Plain file access for tests of any framework: the bytes of a file (empty when
// it cannot be read), and a file written with exactly these bytes.
std::string FileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

} // namespace zvk::test
