#pragma once

#include <string>
#include <string_view>

namespace zvk::test {

// Compares a document with its reviewed copy tests/data/reports/NAME. With the
// environment variable ZVK_UPDATE_GOLDEN=1 the copy is rewritten instead, to be
// looked at before it is committed.
void ExpectGolden(std::string_view name, const std::string& bytes);

// A document with one RTF line per text line, for reading a failure.
std::string ReadableLines(const std::string& document);

} // namespace zvk::test
