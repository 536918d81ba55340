#include "lists/data_list.h"

#include <fstream>
#include <system_error>

#include "files/input_file.h"
#include "lists/line_reader.h"
#include "lists/record_layout.h"
#include "text/ascii.h"
#include "text/path_text.h"

namespace zvk {

std::string FormatVersionOf(std::string_view headerLine)
{
    if (Field(headerLine, kListHeader.oldestMarker) == kOldestFormMarker)
        return std::string(kOldestFormatVersion);
    return Field(headerLine, kListHeader.version);
}

Result<bool> HoldsDataListRecords(const std::filesystem::path& path)
{
    Result<std::ifstream> opened = OpenInputFile(path);
    if (!opened)
        return Unexpected(std::move(opened).error());
    LineReader lines(*opened);
    std::string_view line;
    bool empty = true;
    while (lines.Next(line)) {
        if (IsRecordCode(RecordCode(line)))
            return true;
        empty = false;
    }
    if (opened->bad())
        return Fail("cannot read " + PathText(path),
                    {path, std::make_error_code(std::errc::io_error)});
    return empty;
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

bool HasDataListName(const std::filesystem::path& path)
{
    return IsDataListName(PathText(path.filename()));
}

bool IsDataListName(std::string_view name)
{
    return name.size() >= 4 && EqualsIgnoringAsciiCase(name.substr(name.size() - 4), ".dat");
}

} // namespace zvk
