#include "golden.h"

#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zvk::test {

std::string ReadableLines(const std::string& document)
{
    static constexpr std::string_view kLineBreak = "}{\\par \\fs20 ";
    std::string lines;
    std::size_t from = 0;
    for (std::size_t at; (at = document.find(kLineBreak, from)) != std::string::npos;
         from = at + kLineBreak.size())
        lines.append(document, from, at - from).append(kLineBreak).append("\n");
    return lines + document.substr(from);
}

void ExpectGolden(std::string_view name, const std::string& bytes)
{
    const std::filesystem::path golden = TestData("reports") / name;
    const char* update = std::getenv("ZVK_UPDATE_GOLDEN");
    if (update != nullptr && std::string_view(update) == "1") {
        std::ofstream(golden, std::ios::binary) << bytes;
        return;
    }
    EXPECT_EQ(ReadableLines(bytes), ReadableLines(ReadBytes(golden))) << "golden file " << golden;
}

} // namespace zvk::test
