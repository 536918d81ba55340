#include <filesystem>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "lists/data_list.h"
#include "lists/format_version_reader.h"
#include "lists/record_layout.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// Where each kind of item keeps its decimal points; the sample lists feed the
// handheld emulator and the reports, so they must be lists the handheld could write.
const std::map<std::string, std::vector<std::size_t>> kDecimalPoints = {
    {"2M", {25, 35}}, {"2N", {25, 35}}, {"2O", {21, 27, 35}}, {"2P", {21, 26, 35}}};

TEST(SampleListsTest, AreWellFormedDataLists)
{
    int lists = 0;
    for (const auto& entry : fs::directory_iterator(ZVK_SAMPLE_DIR)) {
        SCOPED_TRACE(entry.path().filename().string());
        const std::string bytes = test::ReadBytes(entry.path());
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        EXPECT_EQ(RecordCode(bytes), "AD");
        FormatVersionReader versions;
        int headerValues = 0;
        int items = 0;
        std::size_t begin = 0;
        for (std::size_t end; (end = bytes.find("\r\n", begin)) != std::string::npos;
             begin = end + 2) {
            const std::string_view line(bytes.data() + begin, end - begin);
            const std::string_view code = RecordCode(line);
            versions.ReadHeader(line);
            headerValues += IsHeaderValueRecord(code) ? 1 : 0;
            if (!ItemKindOf(code))
                continue;
            ++items;
            const std::string_view item = versions.Item(line);
            EXPECT_GT(ReadInteger(Field(item, kItem.itemNumber)), 0) << item;
            for (std::size_t point : kDecimalPoints.at(std::string(code)))
                EXPECT_EQ(item[point], '.') << item;
        }
        EXPECT_EQ(headerValues, 15);
        EXPECT_GT(items, 0);
        ++lists;
    }
    EXPECT_GE(lists, 4);
}

} // namespace
} // namespace zvk
