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
        } else if (byte >= 0x80) {
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
    const std::string alphabet = "aZ 09z{|}~\x7F\\[]\x80\x81\xE1\xFF\x01";
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
