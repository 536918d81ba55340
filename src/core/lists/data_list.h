#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "system/result.h"

// The rules of data lists beyond their record layout: the list's format version,
// the fix-up of item lines of old lists, the name of a list and the numbers inside
// fields. Lines are Windows-1250 bytes and stay bytes.
namespace zvk {

// Version of the oldest lists, whose header says "Spracov" instead of a program name.
inline constexpr std::string_view kOldestFormatVersion = "1.18";
// Item lines of lists below this version have a five-character item number.
inline constexpr std::string_view kFirstSixDigitItemVersion = "1.19";
// Headers above this version use the wide-name form.
inline constexpr std::string_view kWideNameVersion = "4.00";

// The format version that an "AD" header line declares.
std::string FormatVersionOf(std::string_view headerLine);

// Versions compare byte by byte from the left, so "10.0" is below "4.00" and the
// empty version (before any header) is below every other.
bool VersionBelow(std::string_view version, std::string_view threshold);
bool VersionAbove(std::string_view version, std::string_view threshold);

// A name that ends in ".dat" in any letter case: the name of a data list.
bool HasDataListName(const std::filesystem::path& path);
// The same for a file name as PathText gives it.
bool IsDataListName(std::string_view name);

// Whether the file at `path` can be a data list by what it holds: nothing yet, or at
// least one line that starts with a record code of the layout. Random bytes and texts of
// other kinds have none, and would convert to an empty text and an empty note.
Result<bool> HoldsDataListRecords(const std::filesystem::path& path);

// Numbers inside fields: leading white space is skipped and the longest decimal
// prefix is read, always with "." as the decimal point whatever the process
// locale says; text that is not a number reads as 0 and values beyond the type's
// range are clamped.
double ReadDecimal(std::string_view text);
// The same in single precision, rounded once from the text.
float ReadDecimalAsFloat(std::string_view text);
std::int64_t ReadInteger(std::string_view text);

// The number at the start of `text` after its leading white space: an optional
// sign, digits with an optional decimal point (and an optional exponent for
// decimals). Empty when the text does not begin with a number.
std::string_view DecimalPrefix(std::string_view text);
std::string_view IntegerPrefix(std::string_view text);

} // namespace zvk
