#include "lists/record_layout.h"

#include "lists/data_list.h"

namespace zvk {
namespace {

// Every item code is "2" and a letter: ItemKindOf, which sees every line of every
// list, passes all other records by their first byte and tells the kinds apart by
// their second.
constexpr bool IsItemCode(std::string_view code)
{
    return code.size() == kRecordCode.width && code[0] == kLongWoodCode[0];
}
static_assert(IsItemCode(kLongWoodCode) && IsItemCode(kSecondLongWoodCode) &&
              IsItemCode(kStackedWoodCode) && IsItemCode(kSawnTimberCode) &&
              IsItemCode(kFourthKindCode));

int ReadTwoDigits(std::string_view line, const RecordField& field)
{
    return static_cast<int>(ReadInteger(Field(line, field)));
}

} // namespace

std::string_view RecordCode(std::string_view line)
{
    return line.size() < kRecordCode.width ? std::string_view()
                                           : line.substr(kRecordCode.start, kRecordCode.width);
}

std::optional<ItemKind> ItemKindOf(std::string_view code)
{
    if (!IsItemCode(code))
        return std::nullopt;
    switch (code[1]) {
    case kLongWoodCode[1]:
    case kSecondLongWoodCode[1]:
        return ItemKind::LongWood;
    case kStackedWoodCode[1]:
        return ItemKind::StackedWood;
    case kSawnTimberCode[1]:
        return ItemKind::SawnTimber;
    case kFourthKindCode[1]:
        return ItemKind::FourthKind;
    default:
        return std::nullopt;
    }
}

bool IsHeaderValueRecord(std::string_view code)
{
    for (std::string_view header : kHeaderValueRecords)
        if (code == header)
            return true;
    return false;
}

bool IsRecordCode(std::string_view code)
{
    return code == kListHeaderCode || code == kImportMarkerRecord.substr(0, kRecordCode.width) ||
           IsHeaderValueRecord(code) || ItemKindOf(code).has_value();
}

std::string Field(std::string_view line, const RecordField& field)
{
    std::string text(FieldWithinLine(line, field));
    text.resize(field.width, ' ');
    return text;
}

std::string_view FieldWithinLine(std::string_view line, const RecordField& field)
{
    return field.start < line.size() ? line.substr(field.start, field.width) : std::string_view();
}

std::array<HeaderValuePlace, 2> HeaderValuesOf(std::string_view recordCode)
{
    // Item lines, by far the most, hold no header value: all header value records
    // start with the "0" of "0A".
    if (recordCode.empty() || recordCode[0] != kDateRecordCode[0])
        return {};
    if (recordCode == kDateRecordCode)
        return {{{1, kDateRecord.value}, {}}};
    for (std::size_t k = 1; k < kHeaderValueRecords.size(); ++k) {
        if (kHeaderValueRecords[k] == recordCode) {
            const int first = static_cast<int>(2 * k);
            return {{{first, kValuePair.first}, {first + 1, kValuePair.second}}};
        }
    }
    return {};
}

ListDate DateOf(std::string_view dateRecord)
{
    return {ReadTwoDigits(dateRecord, kDateRecord.day),
            ReadTwoDigits(dateRecord, kDateRecord.month),
            2000 + ReadTwoDigits(dateRecord, kDateRecord.year)};
}

} // namespace zvk
