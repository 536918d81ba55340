#include "text/windows1250.h"

#include <array>
#include <cstdint>
#include <utility>

#include "text/path_text.h"

namespace zvk {
namespace {

// Unicode code points of the bytes 0x80 to 0xFF; 0 marks an unassigned byte.
constexpr std::array<std::uint16_t, 128> kUpperHalf = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021, 0x0000, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes the UTF-8 sequence at `i`, moving `i` past it; kInvalid for a broken sequence.
char32_t NextCodePoint(std::string_view utf8, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(utf8[i++]);
    if (lead < 0x80)
        return lead;
    std::size_t extra = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        code = lead & 0x07;
    } else {
        return kInvalid;
    }
    for (std::size_t k = 0; k < extra; ++k) {
        if (i >= utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80)
            return kInvalid;
        code = (code << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
    }
    // Overlong forms and surrogates are no UTF-8: a name holding them was written in
    // the code page.
    constexpr std::array<char32_t, 4> kSmallest = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return kInvalid;
    return code;
}

bool IsUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size())
        if (NextCodePoint(bytes, i) == kInvalid)
            return false;
    return true;
}

// The byte of a character, nothing when the code page lacks it. The five bytes the
// code page leaves unassigned stand for the characters of their own value, so that
// every name read as Windows-1250 goes back to its bytes.
std::optional<char> EncodeStrictly(char32_t code)
{
    if (code < 0x80)
        return static_cast<char>(code);
    for (std::size_t k = 0; k < kUpperHalf.size(); ++k)
        if (kUpperHalf[k] != 0 && kUpperHalf[k] == code)
            return static_cast<char>(0x80 + k);
    if (code <= 0xFF && kUpperHalf[code - 0x80] == 0)
        return static_cast<char>(code);
    return std::nullopt;
}

char EncodeOne(char32_t code)
{
    return EncodeStrictly(code).value_or('?');
}

char16_t DecodeOne(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    if (value < 0x80 || kUpperHalf[value - 0x80] == 0)
        return value;
    return kUpperHalf[value - 0x80];
}

void AppendUtf16(std::u16string& text, char32_t code)
{
    if (code < 0x10000) {
        text += static_cast<char16_t>(code);
        return;
    }
    code -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (code >> 10));
    text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
}

// The lower-case byte of every byte: ASCII letters, the capitals of 0x8A to 0xBC
// that stand apart from their small letters, and the block 0xC0 to 0xDE that lies
// 0x20 below its small letters (but for the multiplication sign 0xD7).
constexpr std::array<unsigned char, 256> kLowerCase = [] {
    std::array<unsigned char, 256> lower{};
    for (std::size_t byte = 0; byte < lower.size(); ++byte)
        lower[byte] = static_cast<unsigned char>(byte);
    for (std::size_t byte = 'A'; byte <= 'Z'; ++byte)
        lower[byte] = static_cast<unsigned char>(byte + 0x20);
    constexpr std::pair<unsigned char, unsigned char> kPairs[] = {
        {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
        {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE}};
    for (const auto& [capital, small] : kPairs)
        lower[capital] = small;
    for (std::size_t byte = 0xC0; byte <= 0xDE; ++byte)
        if (byte != 0xD7)
            lower[byte] = static_cast<unsigned char>(byte + 0x20);
    return lower;
}();

} // namespace

bool Utf8FitsWindows1250(std::string_view utf8)
{
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t code = NextCodePoint(utf8, i);
        if (code == kInvalid || !EncodeStrictly(code))
            return false;
    }
    return true;
}

std::string Windows1250Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(kLowerCase[static_cast<unsigned char>(c)]);
    return lower;
}

std::string Utf8ToWindows1250(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size())
        out += EncodeOne(NextCodePoint(utf8, i));
    return out;
}

std::string FileNameInWindows1250(const std::filesystem::path& path)
{
    const std::string name = PathText(path.filename());
    return IsUtf8(name) ? Utf8ToWindows1250(name) : name;
}

std::u16string FileNameInUtf16(const std::filesystem::path& path)
{
    const std::string name = PathText(path.filename());
    std::u16string text;
    if (IsUtf8(name)) {
        std::size_t i = 0;
        while (i < name.size())
            AppendUtf16(text, NextCodePoint(name, i));
    } else {
        for (const char byte : name)
            text += DecodeOne(byte);
    }
    return text;
}

std::optional<std::string> Utf16ToWindows1250(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text) {
        const std::optional<char> byte = EncodeStrictly(unit);
        if (!byte)
            return std::nullopt;
        bytes += *byte;
    }
    return bytes;
}

std::u16string Windows1250ToUtf16(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text += DecodeOne(byte);
    return text;
}

} // namespace zvk
