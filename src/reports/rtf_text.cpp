#include "reports/rtf_text.h"

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
           "KLEVO}{\\*\\company KLEVO sro}}\\margl500\\margr500\\margt400\\margb400{\\f0";
}

std::string_view DocumentEpilog()
{
    return "}}";
}

void AppendEscapedText(std::string& out, std::string_view text)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    for (const char c : text) {
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
}

} // namespace zvk
