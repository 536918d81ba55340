#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lists/line_reader.h"

namespace zvk {
namespace {

std::vector<std::string> LinesOf(const std::string& bytes)
{
    std::istringstream in(bytes);
    LineReader reader(in);
    std::vector<std::string> lines;
    for (std::string_view line; reader.Next(line);)
        lines.emplace_back(line);
    return lines;
}

// The same lines from bytes already read.
std::vector<std::string> LinesIn(const std::string& bytes)
{
    std::vector<std::string> lines;
    ForEachLineIn(bytes, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

// What a line of a list is: the bytes up to LF, less one CR before it.
std::vector<std::string> GetlineLines(const std::string& bytes)
{
    std::istringstream in(bytes);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

TEST(LineReaderTest, SplitsAtLineEndsWithoutLosingALastLineOrAddingOne)
{
    using Lines = std::vector<std::string>;
    for (const auto& linesOf : {LinesOf, LinesIn}) {
        EXPECT_EQ(linesOf(""), Lines{});
        EXPECT_EQ(linesOf("\n"), Lines{""});
        EXPECT_EQ(linesOf("0A\r\n2M\r\n"), (Lines{"0A", "2M"}));
        EXPECT_EQ(linesOf("0A\n2M"), (Lines{"0A", "2M"})) << "a last line without its end";
        EXPECT_EQ(linesOf("a\r\r\nb\rc\n\r"), (Lines{"a\r", "b\rc", ""}))
            << "only one CR before LF";
        EXPECT_EQ(linesOf(std::string("a\0b\n", 4)), Lines{std::string("a\0b", 3)});
    }
}

TEST(LineReaderTest, ReadsAsGetlineAcrossBlocksAndLinesLongerThanABlock)
{
    std::mt19937 random(7);
    for (const std::size_t longest : {std::size_t{90}, std::size_t{70000}, std::size_t{300000}}) {
        std::string bytes;
        while (bytes.size() < 3 * longest + 200000) {
            bytes.append(random() % longest, static_cast<char>('A' + random() % 26));
            bytes += random() % 2 ? "\r\n" : "\n";
        }
        bytes.append(random() % longest, 'z');
        EXPECT_EQ(LinesOf(bytes), GetlineLines(bytes)) << "lines up to " << longest << " bytes";
        EXPECT_EQ(LinesIn(bytes), GetlineLines(bytes)) << "lines up to " << longest << " bytes";
    }
}

} // namespace
} // namespace zvk
