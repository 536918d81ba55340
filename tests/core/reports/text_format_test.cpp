#include <string>

#include <gtest/gtest.h>

#include "reports/rtf_text.h"
#include "reports/text_format.h"
#include "support/comma_locale.h"

namespace zvk {
namespace {

TEST(FormatTextTest, RendersTheConversionsOfTheLayouts)
{
    EXPECT_EQ(FormatText("%04d%02d.%d", {2026, 7, -3}), "202607.-3");
    EXPECT_EQ(FormatText("[%4d][%7d][%02d]", {16, 45, -1}), "[  16][     45][-1]");
    EXPECT_EQ(FormatText("[%5lu]", {static_cast<std::uint32_t>(-1)}), "[4294967295]");
    EXPECT_EQ(FormatText("[%3s][%-s][%s]", {"B", "ab", ""}), "[  B][ab][]");
    EXPECT_EQ(FormatText("[%3s]", {"IIII"}), "[IIII]") << "a width never cuts";
    EXPECT_EQ(FormatText("[%5.2f][%10.3f][%8.2f]", {0.125, 1.025, -2.0}),
              "[ 0.12][     1.025][   -2.00]");
    EXPECT_EQ(FormatText("%7.2f", {static_cast<double>(13.96F)}), "  13.96");
}

TEST(FormatTextTest, IgnoresTheProcessLocale)
{
    const test::CommaDecimalLocale comma;
    ASSERT_TRUE(comma.Active()) << "a locale with a decimal comma is needed (locales-all)";
    EXPECT_EQ(FormatText("%10.2f %d", {1234.5, 1234567}), "   1234.50 1234567");
}

TEST(RtfTextTest, EscapesEverythingThatCouldBreakTheDocument)
{
    std::string out;
    AppendEscapedText(out, "a\\b{c}d \x8A\xE1\x7F");
    EXPECT_EQ(out, "a\\\\b\\{c\\}d \\'8a\\'e1\x7F");
    out.clear();
    AppendEscapedText(out, "|~[]z");
    EXPECT_EQ(out, "|~[]z");

    // Long texts are passed over in blocks: every byte is escaped or kept alike at
    // any place, those next to the escaped ones ("|", "~", "[", 0x7F) included.
    for (int byte = 0; byte < 256; ++byte) {
        const char special = static_cast<char>(byte);
        std::string alone;
        AppendEscapedText(alone, std::string_view(&special, 1));
        for (std::size_t at = 0; at < 20; ++at) {
            std::string text(20, 'x');
            text[at] = special;
            std::string escaped;
            AppendEscapedText(escaped, text);
            EXPECT_EQ(escaped, std::string(at, 'x') + alone + std::string(19 - at, 'x'))
                << byte << " at " << at;
        }
    }
}

} // namespace
} // namespace zvk
