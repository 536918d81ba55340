#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zvk::test {

// `text` as one word for the shell, whatever characters it holds.
std::string ShellQuoted(std::string_view text);

// Converts `documents` with LibreOffice (`filter` as its --convert-to takes it) into
// `folder`, each result named after its document with the filter's extension. It
// runs under the C locale, whose paper is Letter, so that a document without a
// paper size of its own shows it, and with a profile of its own in `folder`, so
// that no user setting comes in. Returns whether LibreOffice ended cleanly.
bool ConvertWithOffice(const std::vector<std::filesystem::path>& documents, std::string_view filter,
                       const std::filesystem::path& folder);

} // namespace zvk::test
