#include "lists/record_layout.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lists/data_list.h"

namespace zvk {
namespace {

struct Expected
{
    RecordField field;
    std::string_view text;
};

// Records as the handheld writes them, each with every field of its kind.
const std::string kLongWoodLine =
    "2M  12345SMVy   I    3  4.50 32KO 0.36 0Poznamka                       21";
const std::string kStackedWoodLine =
    "2O    101BKPalieII  0.70 12.50PM  8.75 1hranica              ";
const std::string kSawnTimberLine =
    "2P   7001JDFosni  B 1.00 4.5 251500.169 2fosne                 10";
const std::string kFourthKindLine = "2Q     42DBKor  A  ABC 1.25  3.40 3stvrty               ";

void ExpectFields(std::string_view line, const std::vector<Expected>& fields)
{
    for (const Expected& expected : fields)
        EXPECT_EQ(Field(line, expected.field), expected.text)
            << "field at " << expected.field.start << " in " << line;
}

TEST(RecordLayoutTest, EveryFieldOfASampleRecordReadsItsValue)
{
    ExpectFields(kLongWoodLine, {{kRecordCode, "2M"},
                                 {kItem.itemNumber, " 12345"},
                                 {kItem.species, "SM"},
                                 {kItem.assortment, "Vy"},
                                 {kItem.assortmentPart2, "   "},
                                 {kItem.quality, "I  "},
                                 {kLongWood.diameterClass, " 3"},
                                 {kLongWood.length, " 4.50"},
                                 {kLongWood.diameter, " 32"},
                                 {kLongWood.merCode, "KO"},
                                 {kLongWood.volume, " 0.36"},
                                 {kLongWood.partCode, " 0"},
                                 {kLongWood.note, "Poznamka             "},
                                 {kLongWood.pieces, "  2"}});
    ExpectFields(kStackedWoodLine, {{kItem.itemNumber, "   101"},
                                    {kItem.assortmentPart2, "lie"},
                                    {kItem.quality, "II "},
                                    {kStackedWood.coefficient, "0.70"},
                                    {kStackedWood.stackedVolume, " 12.50"},
                                    {kStackedWood.merCode, "PM"},
                                    {kStackedWood.volume, "  8.75"},
                                    {kStackedWood.partCode, " 1"},
                                    {kStackedWood.note, "hranica              "}});
    ExpectFields(kSawnTimberLine, {{kItem.quality, "  B"},
                                   {kSawnTimber.zkKf, "1.00"},
                                   {kSawnTimber.length, " 4.5"},
                                   {kSawnTimber.thickness, " 25"},
                                   {kSawnTimber.prKf, "150"},
                                   {kSawnTimber.volume, "0.169"},
                                   {kSawnTimber.partCode, " 2"},
                                   {kSawnTimber.note, "fosne                "},
                                   {kSawnTimber.pieces, " 10"}});
    ExpectFields(kFourthKindLine, {{kFourthKind.code, "ABC"},
                                   {kFourthKind.decimal, "1.25"},
                                   {kFourthKind.volume, "  3.40"},
                                   {kFourthKind.partCode, " 3"},
                                   {kFourthKind.note, "stvrty               "}});
    ExpectFields("ADLIST01.dat      17ZVK_CE         V 3.02",
                 {{kListHeader.fileName, "LIST01.dat  "},
                  {kListHeader.listNumber, "    17"},
                  {kListHeader.program, "ZVK_CE         V 3.02"},
                  {kListHeader.version, "3.02"}});
    ExpectFields("ADLONGNAME01.DAT    17ZVK_CE         V 4.10",
                 {{kWideListHeader.fileName, "LONGNAME01.DAT"},
                  {kWideListHeader.listNumber, "    17"},
                  {kWideListHeader.program, "ZVK_CE         V 4.10"}});
    ExpectFields("0A05.03.26LS Brezno           ",
                 {{kDateRecord.date, "05.03.26"}, {kDateRecord.value, "LS Brezno           "}});
    ExpectFields(
        "0BHodnota 2           Hodnota 3           ",
        {{kValuePair.first, "Hodnota 2           "}, {kValuePair.second, "Hodnota 3           "}});
}

// A decimal field names where its point stands: the semicolon conversion turns
// exactly that byte into a comma.
TEST(RecordLayoutTest, DecimalFieldsHaveTheirPointWhereTheHandheldWritesIt)
{
    const std::vector<std::pair<std::string, std::vector<RecordField>>> decimals = {
        {kLongWoodLine, {kLongWood.length, kLongWood.volume}},
        {kStackedWoodLine,
         {kStackedWood.coefficient, kStackedWood.stackedVolume, kStackedWood.volume}},
        {kSawnTimberLine, {kSawnTimber.zkKf, kSawnTimber.length, kSawnTimber.volume}},
        {kFourthKindLine, {kFourthKind.decimal, kFourthKind.volume}}};
    for (const auto& [line, fields] : decimals) {
        for (const RecordField& field : fields) {
            ASSERT_GT(field.decimals, 0u);
            EXPECT_EQ(line[field.start + field.width - field.decimals - 1], '.')
                << "field at " << field.start << " in " << line;
        }
    }
}

// Fields of one record never share a column, and the common item fields come
// before those of each kind.
TEST(RecordLayoutTest, FieldsOfARecordDoNotOverlap)
{
    const std::vector<RecordField> common = {kRecordCode,           kItem.itemNumber,
                                             kItem.species,         kItem.assortment,
                                             kItem.assortmentPart2, kItem.quality};
    const std::vector<std::vector<RecordField>> kinds = {
        {kLongWood.diameterClass, kLongWood.length, kLongWood.diameter, kLongWood.merCode,
         kLongWood.volume, kLongWood.partCode, kLongWood.note, kLongWood.pieces,
         kLongWood.closingFlag},
        {kStackedWood.coefficient, kStackedWood.stackedVolume, kStackedWood.merCode,
         kStackedWood.volume, kStackedWood.partCode, kStackedWood.note},
        {kSawnTimber.zkKf, kSawnTimber.length, kSawnTimber.thickness, kSawnTimber.prKf,
         kSawnTimber.volume, kSawnTimber.partCode, kSawnTimber.note, kSawnTimber.pieces},
        {kFourthKind.code, kFourthKind.decimal, kFourthKind.volume, kFourthKind.partCode,
         kFourthKind.note},
        {kDateRecord.date, kDateRecord.value},
        {kValuePair.first, kValuePair.second},
        {kListHeader.fileName, kListHeader.listNumber, kListHeader.program},
        {kWideListHeader.fileName, kWideListHeader.listNumber, kWideListHeader.program}};
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        std::vector<RecordField> fields = kinds[k];
        if (k < 4)
            fields.insert(fields.end(), common.begin(), common.end());
        else
            fields.push_back(kRecordCode);
        std::sort(fields.begin(), fields.end(),
                  [](const RecordField& a, const RecordField& b) { return a.start < b.start; });
        for (std::size_t i = 1; i < fields.size(); ++i)
            EXPECT_LE(fields[i - 1].start + fields[i - 1].width, fields[i].start)
                << "kind " << k << ", field at " << fields[i].start;
    }
}

TEST(RecordLayoutTest, ShortRecordsReadTheirMissingColumnsAsSpaces)
{
    // A long-wood item cut after its part code: no note and no piece count.
    const std::string line = "2M  12345SMVy   I   3   4.50 32KO 0.36 0";
    ASSERT_EQ(line.size(), 40u);
    EXPECT_EQ(Field(line, kLongWood.note), std::string(21, ' '));
    EXPECT_EQ(FieldWithinLine(line, kLongWood.note), "");
    EXPECT_EQ(ReadInteger(Field(line, kLongWood.pieces)), 0);
    EXPECT_DOUBLE_EQ(ReadDecimal(Field(line, kLongWood.length)), 4.5);
    EXPECT_DOUBLE_EQ(ReadDecimal(Field(line, kLongWood.volume)), 0.36);
    // A field that the line cuts in two keeps its bytes there.
    EXPECT_EQ(Field("2M 123", kItem.itemNumber), "123   ");
    EXPECT_EQ(FieldWithinLine("2M 123", kItem.itemNumber), "123");
    EXPECT_EQ(Field("", kRecordCode), "  ");
    const std::string withNul("0A01.\0"
                              "2.26",
                              10);
    EXPECT_EQ(Field(withNul, kDateRecord.date), std::string("01.\0"
                                                            "2.26",
                                                            8));
}

TEST(RecordLayoutTest, RecordCodesAreTheFirstTwoBytesComparedExactly)
{
    EXPECT_EQ(RecordCode("2M 12345"), "2M");
    EXPECT_EQ(RecordCode("2"), "");
    EXPECT_EQ(RecordCode(""), "");
    EXPECT_TRUE(IsHeaderValueRecord("0e"));
    EXPECT_TRUE(IsHeaderValueRecord("0E"));
    EXPECT_FALSE(IsHeaderValueRecord("0X"));
    EXPECT_FALSE(IsHeaderValueRecord("0m"));
    EXPECT_EQ(ItemKindOf("2M"), ItemKind::LongWood);
    EXPECT_EQ(ItemKindOf("2N"), ItemKind::LongWood);
    EXPECT_EQ(ItemKindOf("2O"), ItemKind::StackedWood);
    EXPECT_EQ(ItemKindOf("2P"), ItemKind::SawnTimber);
    EXPECT_EQ(ItemKindOf("2Q"), ItemKind::FourthKind);
    EXPECT_EQ(ItemKindOf("2m"), std::nullopt);
    EXPECT_EQ(ItemKindOf("2R"), std::nullopt);
    EXPECT_EQ(ItemKindOf("0A"), std::nullopt);
    for (const std::string_view code : {"AD", "0A", "0l", "0X", "2M", "2Q"})
        EXPECT_TRUE(IsRecordCode(code)) << code;
    for (const std::string_view code : {"ad", "0m", "0a", "2m", "2R", "A", ""})
        EXPECT_FALSE(IsRecordCode(code)) << code;
}

TEST(RecordLayoutTest, HeaderValueRecordsHoldEveryValueOnce)
{
    std::set<int> numbers;
    for (std::string_view code : kHeaderValueRecords) {
        for (const HeaderValuePlace& place : HeaderValuesOf(code)) {
            if (place.number == 0)
                continue;
            EXPECT_TRUE(numbers.insert(place.number).second) << place.number;
            EXPECT_EQ(place.field.width, kHeaderValueWidth);
        }
    }
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(kHeaderValueCount));
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), kHeaderValueCount);
    EXPECT_EQ(HeaderValuesOf("0A")[0].number, 1);
    EXPECT_EQ(HeaderValuesOf("0A")[1].number, 0) << "the date record holds one value";
    EXPECT_EQ(HeaderValuesOf("0e")[0].number, 14);
    EXPECT_EQ(HeaderValuesOf("0l")[1].number, 29);
    for (std::string_view code : {"0X", "0m", "2M", "AD", "0", ""})
        EXPECT_EQ(HeaderValuesOf(code)[0].number, 0) << code;
}

TEST(RecordLayoutTest, DateOfTheDateRecordIsInThisCentury)
{
    const ListDate date = DateOf("0A05.03.26LS Brezno");
    EXPECT_EQ(date.day, 5);
    EXPECT_EQ(date.month, 3);
    EXPECT_EQ(date.year, 2026);
    const ListDate blank = DateOf("0A");
    EXPECT_EQ(blank.day, 0);
    EXPECT_EQ(blank.month, 0);
    EXPECT_EQ(blank.year, 2000) << "a record without a date is of the year 2000";
}

} // namespace
} // namespace zvk
