#pragma once

#include <string>
#include <string_view>

namespace zvk {

// Letter case of names in files (INI sections and keys, file extensions) is
// folded for ASCII letters only: Windows-1250 bytes above 127 are left alone.
char AsciiLower(char c);
std::string AsciiLower(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The text without white space (space, tab, CR, LF, VT, FF) at either end.
std::string_view TrimWhiteSpace(std::string_view text);

} // namespace zvk
