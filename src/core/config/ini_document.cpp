#include "config/ini_document.h"

#include <cstddef>
#include <utility>

#include "text/ascii.h"

namespace zvk {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Written by editors that save "UTF-8" at the start of a file; it belongs to no line, and
// the first section after it must be found. It stays in the bytes as the file had it.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::size_t ContentStart(std::string_view bytes)
{
    return bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

// One line of the document. Lines end with CR LF, a bare LF or a bare CR; the last line
// may have no line end at all, and then `end` equals `textEnd`.
struct Line
{
    std::size_t begin = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0;
};

Line LineAt(std::string_view bytes, std::size_t begin)
{
    Line line{begin, bytes.size(), bytes.size()};
    const std::size_t stop = bytes.find_first_of("\r\n", begin);
    if (stop != std::string_view::npos) {
        line.textEnd = stop;
        const bool crLf = bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n';
        line.end = stop + (crLf ? 2 : 1);
    }
    return line;
}

std::string_view TextOf(std::string_view bytes, const Line& line)
{
    return TrimWhiteSpace(bytes.substr(line.begin, line.textEnd - line.begin));
}

// "[name]": the name runs to the last closing bracket; whatever follows it is ignored.
std::optional<std::string_view> SectionName(std::string_view text)
{
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return text.substr(1, close - 1);
}

struct Entry
{
    std::string_view name;
    std::string_view value;
};

// "name=value"; comments, section lines and lines without an equals sign are no entries.
std::optional<Entry> EntryOf(std::string_view text)
{
    if (text.empty() || text.front() == ';' || text.front() == '[')
        return std::nullopt;
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const Entry entry{TrimWhiteSpace(text.substr(0, equals)),
                      TrimWhiteSpace(text.substr(equals + 1))};
    if (entry.name.empty())
        return std::nullopt;
    return entry;
}

// Where a key stands, or where it would be added: after the last non-blank line of its
// section (the section line itself when the section is empty).
struct Place
{
    bool sectionFound = false;
    std::optional<Line> keyLine;
    Line lastOfSection;
};

Place Locate(std::string_view bytes, std::string_view section, std::string_view key)
{
    Place place;
    for (std::size_t at = ContentStart(bytes); at < bytes.size();) {
        const Line line = LineAt(bytes, at);
        at = line.end;
        const std::string_view text = TextOf(bytes, line);
        if (const auto name = SectionName(text)) {
            // A later section of the same name is never looked at.
            if (place.sectionFound)
                break;
            place.sectionFound = EqualsIgnoringAsciiCase(*name, section);
            place.lastOfSection = line;
            continue;
        }
        if (!place.sectionFound || text.empty())
            continue;
        place.lastOfSection = line;
        const auto entry = EntryOf(text);
        if (entry && EqualsIgnoringAsciiCase(entry->name, key)) {
            place.keyLine = line;
            break;
        }
    }
    return place;
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Names and values that would change the meaning of other lines, or that could never
// be found again by their own name, are refused rather than written.
std::string Refusal(std::string_view section, std::string_view key, std::string_view value)
{
    if (section.empty() || section.find(']') != std::string_view::npos || HasLineBreak(section))
        return "invalid INI section name \"" + std::string(section) + "\"";
    if (key.empty() || key.front() == '[' || key.front() == ';' ||
        key.find('=') != std::string_view::npos || HasLineBreak(key) ||
        TrimWhiteSpace(key).size() != key.size())
        return "invalid INI key name \"" + std::string(key) + "\"";
    if (HasLineBreak(value))
        return "the value of INI key \"" + std::string(key) + "\" contains a line break";
    return {};
}

} // namespace

IniDocument::IniDocument(std::string bytes) : m_bytes(std::move(bytes)) {}

const std::string& IniDocument::Bytes() const
{
    return m_bytes;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const
{
    const Place place = Locate(m_bytes, section, key);
    if (!place.keyLine)
        return std::nullopt;
    std::string_view value = EntryOf(TextOf(m_bytes, *place.keyLine))->value;
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

Result<> IniDocument::SetValue(std::string_view section, std::string_view key,
                               std::string_view value)
{
    std::string refusal = Refusal(section, key, value);
    if (!refusal.empty())
        return Fail(std::move(refusal));
    std::string keyLine = std::string(key) + "=" + std::string(value) + std::string(kLineEnd);
    const Place place = Locate(m_bytes, section, key);
    if (place.keyLine) {
        m_bytes.replace(place.keyLine->begin, place.keyLine->end - place.keyLine->begin, keyLine);
    } else if (place.sectionFound) {
        const Line& last = place.lastOfSection;
        if (last.end == last.textEnd)
            keyLine.insert(0, kLineEnd);
        m_bytes.insert(last.end, keyLine);
    } else {
        if (m_bytes.size() > ContentStart(m_bytes) && m_bytes.back() != '\n' &&
            m_bytes.back() != '\r')
            m_bytes += kLineEnd;
        m_bytes += "[" + std::string(section) + "]" + std::string(kLineEnd) + keyLine;
    }
    return {};
}

} // namespace zvk
