#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk {

// An INI file held as its exact bytes (Windows-1250, never converted), read and changed
// the way the Windows profile-string functions do it: section and key names match without
// regard to ASCII letter case, and the first section and the first key of a name win. A
// change touches only the one line it concerns, so comments, blank lines, sections the
// program does not know and the file's own line ends all survive an edit; the handheld
// gets the configuration file byte for byte.
class IniDocument
{
public:
    explicit IniDocument(std::string bytes = {});

    const std::string& Bytes() const;

    // The key's value without white space at either end, or nothing when the section or
    // the key is missing. A value in double quotes comes without them and keeps the
    // blanks inside: quality codes are stored right-aligned as "  B" for exactly that.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Writes the line "key=value" (CR LF): in place of the key's line, else after the
    // last non-blank line of its section, else in a new section at the end. Fails when
    // the names or the value cannot stand in an INI file (the document is then unchanged).
    Result<> SetValue(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string m_bytes;
};

} // namespace zvk
