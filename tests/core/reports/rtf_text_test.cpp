#include "reports/rtf_text.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace zvk {
namespace {

// What AppendEscapedText must give, one byte at a time.
std::string EscapedByteByByte(std::string_view text)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (byte >= 0x80 || (byte < 0x20 && c != '\t')) {
            out += "\\'";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

std::string Escaped(std::string_view text)
{
    std::string out = "prefix";
    AppendEscapedText(out, text);
    return out.substr(6);
}

// Every byte above ASCII as its fixed hexadecimal character, in lower case, 0x80 to 0xFF.
TEST(RtfTextTest, BytesAboveAsciiBecomeLowerCaseHexCharacters)
{
    std::string upperHalf;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        upperHalf += static_cast<char>(byte);
    const std::string expected =
        "\\'80\\'81\\'82\\'83\\'84\\'85\\'86\\'87\\'88\\'89\\'8a\\'8b\\'8c\\'8d\\'8e\\'8f"
        "\\'90\\'91\\'92\\'93\\'94\\'95\\'96\\'97\\'98\\'99\\'9a\\'9b\\'9c\\'9d\\'9e\\'9f"
        "\\'a0\\'a1\\'a2\\'a3\\'a4\\'a5\\'a6\\'a7\\'a8\\'a9\\'aa\\'ab\\'ac\\'ad\\'ae\\'af"
        "\\'b0\\'b1\\'b2\\'b3\\'b4\\'b5\\'b6\\'b7\\'b8\\'b9\\'ba\\'bb\\'bc\\'bd\\'be\\'bf"
        "\\'c0\\'c1\\'c2\\'c3\\'c4\\'c5\\'c6\\'c7\\'c8\\'c9\\'ca\\'cb\\'cc\\'cd\\'ce\\'cf"
        "\\'d0\\'d1\\'d2\\'d3\\'d4\\'d5\\'d6\\'d7\\'d8\\'d9\\'da\\'db\\'dc\\'dd\\'de\\'df"
        "\\'e0\\'e1\\'e2\\'e3\\'e4\\'e5\\'e6\\'e7\\'e8\\'e9\\'ea\\'eb\\'ec\\'ed\\'ee\\'ef"
        "\\'f0\\'f1\\'f2\\'f3\\'f4\\'f5\\'f6\\'f7\\'f8\\'f9\\'fa\\'fb\\'fc\\'fd\\'fe\\'ff";
    EXPECT_EQ(Escaped(upperHalf), expected);
    // One at a time too, so that no byte is judged by its neighbours.
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        EXPECT_EQ(Escaped(std::string(1, static_cast<char>(byte))),
                  expected.substr((byte - 0x80) * 4, 4))
            << byte;
}

// Below 0x80 the backslash and the braces are escaped, each by a backslash, and control
// bytes but the tab become hexadecimal characters: a NUL of a damaged list never goes raw
// into the document. Every other byte, DEL included, stays as it is.
TEST(RtfTextTest, BackslashBracesAndControlBytesAreEscapedBelow0x80)
{
    EXPECT_EQ(Escaped("\\"), "\\\\");
    EXPECT_EQ(Escaped("{"), "\\{");
    EXPECT_EQ(Escaped("}"), "\\}");
    EXPECT_EQ(Escaped("a{b}c\\d"), "a\\{b\\}c\\\\d");
    EXPECT_EQ(Escaped(std::string_view("a\0b\x1F\tc\r", 7)), "a\\'00b\\'1f\tc\\'0d");
    std::string plain = "\t";
    for (int byte = 0x20; byte < 0x80; ++byte)
        if (byte != '\\' && byte != '{' && byte != '}')
            plain += static_cast<char>(byte);
    ASSERT_EQ(plain.size(), 94u);
    EXPECT_EQ(Escaped(plain), plain);
}

// The eight-byte test passes over plain runs: every byte value, at every place
// within and across two words, among neighbours on either side of its borders.
TEST(RtfTextTest, EveryByteAtEveryPlaceEscapesAsByteByByte)
{
    for (const char neighbour : {'a', 'z', '|', '~', '\x7F', '[', ']', '\0'}) {
        for (int value = 0; value < 256; ++value) {
            for (std::size_t at = 0; at < 17; ++at) {
                std::string text(17, neighbour);
                text[at] = static_cast<char>(value);
                ASSERT_EQ(Escaped(text), EscapedByteByByte(text))
                    << "byte " << value << " at " << at << " among " << int(neighbour);
            }
        }
    }
}

TEST(RtfTextTest, RandomTextsEscapeAsByteByByte)
{
    // Bytes on both sides of the borders that the word test draws, and plain letters.
    const std::string alphabet = "aZ 09z{|}~\x7F\\[]\x80\x81\xE1\xFF\x01\t\x1F";
    std::mt19937 random(20261207);
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text)
            c = random() % 4 == 0 ? static_cast<char>(random() % 256)
                                  : alphabet[random() % alphabet.size()];
        ASSERT_EQ(Escaped(text), EscapedByteByByte(text)) << text;
    }
}

} // namespace
} // namespace zvk
