#pragma once

#include <string>
#include <string_view>

namespace zvk {

// Follows the format version in force over the lines of data lists, as a reader
// meets them: every list header "AD" sets it for the lines after it, and a list
// without a header is read with the version of the list before it. Gives item
// lines with the columns of the record layout, fixing up those of lists below 1.19.
class FormatVersionReader
{
public:
    // Takes the version of a list header; true for a header, false (the version
    // left as it is) for every other line.
    bool ReadHeader(std::string_view line);

    const std::string& VersionInForce() const;

    // The item line as the record layout reads it: the line itself, or its fix-up
    // in this reader's storage, valid until the next call. A season's hundreds of
    // thousands of old items are fixed up without an allocation each.
    std::string_view Item(std::string_view itemLine);

private:
    // Empty before any header, which is older than every version.
    std::string m_versionInForce;
    // Whether that version is older than six-digit item numbers.
    bool m_fixUpItems = true;
    std::string m_fixedUp;
};

} // namespace zvk
