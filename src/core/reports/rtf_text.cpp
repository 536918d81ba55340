#include "reports/rtf_text.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace zvk {

std::string_view ControlText(ControlWord word)
{
    switch (word) {
    case ControlWord::Bold:
        return "\\b ";
    case ControlWord::BoldOff:
        return "\\b0 ";
    case ControlWord::Underline:
        return "\\ul ";
    case ControlWord::UnderlineOff:
        return "\\ul0 ";
    case ControlWord::LargeBold:
        return "\\b \\fs32 ";
    case ControlWord::SmallBoldOff:
        return "\\b0 \\fs16 ";
    case ControlWord::LineBreak:
        return "}{\\par \\fs20 ";
    case ControlWord::PageBreak:
        return "\\page ";
    }
    return {};
}

std::string_view DocumentProlog()
{
    return "{\\rtf1\\ansi\\ansicpg1250 \\deff0{\\fonttbl{\\f0\\fmodern\\fcharset238\\fprq1 Courier "
           "New;}}{\\info{\\title Konsignacia ZVK_CE}{\\author KLEVO}{\\operator "
           "KLEVO}{\\*\\company KLEVO sro}}"
           "\\paperw11906\\paperh16838\\margl500\\margr500\\margt400\\margb400\\fs20{\\f0";
}

std::string_view DocumentEpilog()
{
    return "}}";
}

namespace {

// True when any of the eight bytes of `word` may need escaping: a byte of 0x7B
// ("{") or above, which takes in "}" and every byte above ASCII, a "\\", or a control
// byte below 0x20. The bytes "|" and "~" and the tab are flagged too and then found plain
// byte by byte.
bool MayNeedEscaping(std::uint64_t word)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    // Adding 5 to the low seven bits carries into the high bit from 0x7B on.
    const std::uint64_t fromBrace = ((word & ~kHighs) + kOnes * 5) | word;
    const std::uint64_t zeroAtBackslash = word ^ (kOnes * '\\');
    const std::uint64_t backslash = (zeroAtBackslash - kOnes) & ~zeroAtBackslash;
    // A byte below 0x20 borrows into its own high bit, which it did not have.
    const std::uint64_t control = (word - kOnes * 0x20) & ~word;
    return ((fromBrace | backslash | control) & kHighs) != 0;
}

} // namespace

void AppendEscapedText(std::string& out, std::string_view text)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    static constexpr auto kPlain = [] {
        std::array<bool, 256> plain{};
        for (std::size_t byte = 0; byte < 0x80; ++byte)
            plain[byte] =
                (byte >= 0x20 || byte == '\t') && byte != '\\' && byte != '{' && byte != '}';
        return plain;
    }();
    // Most texts are plain ASCII: they are appended in runs, passed over eight
    // bytes at a time.
    std::size_t run = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::uint64_t word = 0;
        if (i + sizeof word <= text.size()) {
            std::memcpy(&word, text.data() + i, sizeof word);
            if (!MayNeedEscaping(word)) {
                i += sizeof word;
                continue;
            }
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        if (kPlain[byte]) {
            ++i;
            continue;
        }
        out.append(text, run, i - run);
        run = ++i;
        if (byte < 0x80 && byte >= 0x20) {
            const char escaped[] = {'\\', static_cast<char>(byte)};
            out.append(escaped, sizeof escaped);
        } else {
            const char escaped[] = {'\\', '\'', kHexDigits[byte >> 4], kHexDigits[byte & 0x0F]};
            out.append(escaped, sizeof escaped);
        }
    }
    out.append(text, run, text.size() - run);
}

} // namespace zvk
