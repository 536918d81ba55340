#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The record layout of a data list: every record code, and every field of every
// record with its column, width and meaning. A line starts with its two-character
// record code; each field stands at a fixed 0-based column with a fixed width,
// text left-aligned, numbers right-aligned, both padded with spaces. Every reader
// and writer of lists takes its columns from here and slices lines only through
// the accessors at the end.
namespace zvk {

// One fixed-column field of a record.
struct RecordField
{
    std::size_t start = 0;
    std::size_t width = 0;
    // Digits after the decimal point of a decimal field, whose point stands at
    // start + width - decimals - 1; 0 for texts and integers.
    std::size_t decimals = 0;
};

// --- Record codes, compared exactly and case-sensitively ("0e" is not "0E").

inline constexpr RecordField kRecordCode{0, 2};

inline constexpr std::string_view kListHeaderCode = "AD";
inline constexpr std::string_view kDateRecordCode = "0A";
// The fixed line the text import writes after the header; no reader reads it.
inline constexpr std::string_view kImportMarkerRecord = "0XR1";
inline constexpr std::string_view kLongWoodCode = "2M";
// An item with the layout of "2M" that the reports take as long wood and the
// semicolon conversion leaves out.
inline constexpr std::string_view kSecondLongWoodCode = "2N";
inline constexpr std::string_view kStackedWoodCode = "2O";
inline constexpr std::string_view kSawnTimberCode = "2P";
// Read by the semicolon conversion only.
inline constexpr std::string_view kFourthKindCode = "2Q";

// The kinds of item records. One byte, so that an optional kind comes back in a
// register: every line of every list asks for its kind.
enum class ItemKind : unsigned char
{
    LongWood,    // "2M" and "2N": logs
    StackedWood, // "2O"
    SawnTimber,  // "2P"
    FourthKind,  // "2Q"
};

// Records "0A" to "0l" in the handheld's order: "0A" holds the date and value 1,
// the k-th after it values 2k and 2k + 1.
inline constexpr std::array<std::string_view, 15> kHeaderValueRecords = {
    "0A", "0B", "0C", "0D", "0E", "0F", "0G", "0e", "0f", "0g", "0h", "0i", "0j", "0k", "0l"};

// --- List header "AD".

inline constexpr std::string_view kOldestFormMarker = "Spracov";

struct ListHeaderFields
{
    RecordField fileName{2, 12};
    RecordField listNumber{14, 6}; // copied, never interpreted
    // Program name in 15 characters, "V", a space and the format version.
    RecordField program{20, 21};
    RecordField version{37, 4};
    // The oldest lists say "Spracov" here instead of a program identification.
    RecordField oldestMarker{20, kOldestFormMarker.size()};
};
inline constexpr ListHeaderFields kListHeader;

// The wide-name form of the header, above format version 4.00: a 14-character name.
struct WideListHeaderFields
{
    RecordField fileName{2, 14};
    RecordField listNumber{16, 6};
    RecordField program{22, 21};
};
inline constexpr WideListHeaderFields kWideListHeader;

// --- Header values.

inline constexpr int kHeaderValueCount = 29;
// A value of this many spaces is an empty value.
inline constexpr std::size_t kHeaderValueWidth = 20;

// Date (dd.mm.yy, separators not read) and header value 1 of "0A".
struct DateRecordFields
{
    RecordField date{2, 8};
    RecordField day{2, 2};
    RecordField month{5, 2};
    RecordField year{8, 2}; // the year is 2000 plus this number
    RecordField value{10, kHeaderValueWidth};
};
inline constexpr DateRecordFields kDateRecord;

// The two values of each of "0B" to "0l".
struct ValuePairFields
{
    RecordField first{2, kHeaderValueWidth};
    RecordField second{22, kHeaderValueWidth};
};
inline constexpr ValuePairFields kValuePair;

// --- Items. Columns apply to the line after the fix-up of old lists.

// The fields that every kind of item has.
struct ItemFields
{
    RecordField itemNumber{3, 6};
    RecordField species{9, 2};
    RecordField assortment{11, 2};      // first part of the assortment code
    RecordField assortmentPart2{13, 3}; // printed together with the first
    RecordField quality{16, 3};         // left-aligned
};
inline constexpr ItemFields kItem;

// "2M" and "2N".
struct LongWoodFields
{
    RecordField diameterClass{20, 2}; // text
    RecordField length{23, 5, 2};     // metres
    RecordField diameter{28, 3};      // centimetres
    RecordField merCode{31, 2};
    RecordField volume{33, 5, 2}; // cubic metres of the whole item
    RecordField partCode{38, 2};
    RecordField note{40, 21};
    RecordField pieces{69, 3}; // the volume of one piece is the volume divided by this
    // Written by the text import after the piece count; no reader reads it.
    RecordField closingFlag{72, 1};
};
inline constexpr LongWoodFields kLongWood;

// "2O".
struct StackedWoodFields
{
    RecordField coefficient{20, 4, 2};
    RecordField stackedVolume{24, 6, 2}; // stacked cubic metres ("pm")
    RecordField merCode{30, 2};
    RecordField volume{32, 6, 2};
    RecordField partCode{38, 2};
    RecordField note{40, 21};
};
inline constexpr StackedWoodFields kStackedWood;

// "2P".
struct SawnTimberFields
{
    RecordField zkKf{20, 4, 2};
    RecordField length{24, 4, 1};
    RecordField thickness{28, 3}; // text
    RecordField prKf{31, 3};      // text
    RecordField volume{34, 5, 3};
    RecordField partCode{39, 2};
    RecordField note{41, 21};
    RecordField pieces{62, 3};
};
inline constexpr SawnTimberFields kSawnTimber;

// "2Q".
struct FourthKindFields
{
    RecordField code{19, 3}; // text
    RecordField decimal{23, 4, 2};
    RecordField volume{27, 6, 2};
    RecordField partCode{33, 2};
    RecordField note{35, 21};
};
inline constexpr FourthKindFields kFourthKind;

// --- Reading records.

// The record code of a line; an empty view for a line shorter than a code, which
// matches no record.
std::string_view RecordCode(std::string_view line);

// The kind of an item record; nothing for every other code.
std::optional<ItemKind> ItemKindOf(std::string_view code);
bool IsHeaderValueRecord(std::string_view code);
// Whether `code` is one of the layout's records: the list header, a header value
// record, the import's marker or an item.
bool IsRecordCode(std::string_view code);

// Exactly the field's width of bytes; positions past the end of the line read as spaces.
std::string Field(std::string_view line, const RecordField& field);
// The part of the field that lies within the line, without padding: for reading
// numbers, and for fields that must not be padded.
std::string_view FieldWithinLine(std::string_view line, const RecordField& field);

// Where one header value stands in its record.
struct HeaderValuePlace
{
    int number = 0; // 1 to 29; 0 for a place that the record does not have
    RecordField field;
};

// The header values of a record: value 1 of "0A", two values of each of "0B" to
// "0l", none of any other record.
std::array<HeaderValuePlace, 2> HeaderValuesOf(std::string_view recordCode);

// The date of a "0A" record, the year in full.
struct ListDate
{
    int day = 0;
    int month = 0;
    int year = 0;
};
ListDate DateOf(std::string_view dateRecord);

} // namespace zvk
