#include "lists/record_line_builder.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lists/record_layout.h"

namespace zvk {
namespace {

struct Written
{
    RecordField field;
    std::string_view value;
    bool number;
    std::string_view read; // what the layout reads back
};

TEST(RecordLineBuilderTest, EveryFieldReadsBackThroughTheLayout)
{
    // Every field of a long-wood item, numbers and texts, full and short; the
    // columns between them stay blank.
    const std::vector<Written> fields = {
        {kItem.itemNumber, "12345", true, " 12345"},
        {kItem.species, "SM", false, "SM"},
        {kItem.assortment, "V", false, "V "},
        {kItem.assortmentPart2, "ab", false, "ab "},
        {kItem.quality, "I", false, "I  "},
        {kLongWood.diameterClass, "3", false, "3 "},
        {kLongWood.length, "4.50", true, " 4.50"},
        {kLongWood.diameter, "32", true, " 32"},
        {kLongWood.merCode, "KO", false, "KO"},
        {kLongWood.volume, "12.36", true, "12.36"},
        {kLongWood.partCode, "0", true, " 0"},
        {kLongWood.note, "Poznamka", false, "Poznamka             "},
        {kLongWood.pieces, "2", true, "  2"},
        {kLongWood.closingFlag, "1", false, "1"},
    };
    RecordLineBuilder builder(kLongWoodCode);
    for (const Written& written : fields)
        if (written.number)
            builder.Number(written.field, written.value);
        else
            builder.Text(written.field, written.value);
    const std::string line = builder.Line();

    ASSERT_EQ(line.substr(line.size() - 2), "\r\n");
    const std::string_view record(line.data(), line.size() - 2);
    EXPECT_EQ(record.size(), kLongWood.closingFlag.start + kLongWood.closingFlag.width);
    EXPECT_EQ(RecordCode(record), kLongWoodCode);
    std::string gaps(record);
    for (const Written& written : fields) {
        EXPECT_EQ(FieldWithinLine(record, written.field), written.read)
            << "field at " << written.field.start << " in " << record;
        gaps.replace(written.field.start, written.field.width, written.field.width, ' ');
    }
    gaps.replace(kRecordCode.start, kRecordCode.width, kRecordCode.width, ' ');
    EXPECT_EQ(gaps, std::string(record.size(), ' ')) << "the columns between the fields are blank";
}

} // namespace
} // namespace zvk
