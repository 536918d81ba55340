#include "lists/data_list.h"

#include <array>

#include "platform/ascii.h"

namespace zvk {
namespace {

constexpr std::string_view kOldestFormMarker = "Spracov";
constexpr std::size_t kOldestFormMarkerColumn = 20;
constexpr std::size_t kVersionColumn = 37;
constexpr std::size_t kVersionWidth = 4;
constexpr std::size_t kItemNumberColumn = 3;

} // namespace

std::string_view RecordCode(std::string_view line)
{
    return line.size() < 2 ? std::string_view() : line.substr(0, 2);
}

std::string FormatVersionOf(std::string_view headerLine)
{
    if (Field(headerLine, kOldestFormMarkerColumn, kOldestFormMarker.size()) == kOldestFormMarker)
        return std::string(kOldestFormatVersion);
    return Field(headerLine, kVersionColumn, kVersionWidth);
}

bool VersionBelow(std::string_view version, std::string_view threshold)
{
    // std::string_view compares through char_traits<char>, which orders bytes as
    // unsigned char: exactly the byte-wise order of versions.
    return version < threshold;
}

bool VersionAbove(std::string_view version, std::string_view threshold)
{
    return version > threshold;
}

std::string NormalizeItemLine(std::string_view itemLine, std::string_view versionInForce)
{
    std::string line;
    NormalizeItemLineInto(itemLine, versionInForce, line);
    return line;
}

void NormalizeItemLineInto(std::string_view itemLine, std::string_view versionInForce,
                           std::string& out)
{
    out.assign(itemLine);
    if (VersionBelow(versionInForce, kFirstSixDigitItemVersion)) {
        if (out.size() < kItemNumberColumn)
            out.resize(kItemNumberColumn, ' ');
        out.insert(kItemNumberColumn, 1, ' ');
    }
}

std::string Field(std::string_view line, std::size_t start, std::size_t width)
{
    std::string field(FieldWithinLine(line, start, width));
    field.resize(width, ' ');
    return field;
}

std::string_view FieldWithinLine(std::string_view line, std::size_t start, std::size_t width)
{
    return start < line.size() ? line.substr(start, width) : std::string_view();
}

bool HasDataListName(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    return name.size() >= 4 && EqualsIgnoringAsciiCase(name.substr(name.size() - 4), ".dat");
}

bool IsItemRecord(std::string_view code)
{
    static constexpr std::array<std::string_view, 5> kItems = {"2M", "2N", "2O", "2P", "2Q"};
    for (auto item : kItems)
        if (code == item)
            return true;
    return false;
}

bool IsHeaderValueRecord(std::string_view code)
{
    static constexpr std::array<std::string_view, 15> kHeaders = {
        "0A", "0B", "0C", "0D", "0E", "0F", "0G", "0e", "0f", "0g", "0h", "0i", "0j", "0k", "0l"};
    for (auto header : kHeaders)
        if (code == header)
            return true;
    return false;
}

} // namespace zvk
