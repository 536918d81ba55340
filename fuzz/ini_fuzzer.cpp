// The INI module over any file: the input is "section NUL key NUL value NUL file".
// A write keeps every byte of the file but the one key line it puts in place (or the
// lines it adds), and a read after it gives back the value written, as the reading
// rules give values back: without the white space at either end and without one pair
// of enclosing double quotes.

#include <array>
#include <string>
#include <vector>

#include "config/ini_document.h"
#include "fuzz_scratch.h"
#include "fuzz_target.h"
#include "text/ascii.h"

namespace {

std::string ValueAsRead(std::string_view written)
{
    std::string_view value = zvk::TrimWhiteSpace(written);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::size_t CommonPrefix(std::string_view a, std::string_view b)
{
    std::size_t length = 0;
    while (length < a.size() && length < b.size() && a[length] == b[length])
        ++length;
    return length;
}

// Lines end with CR LF, a bare LF or a bare CR, as the INI module reads them: a CR is a
// line end of its own unless an LF follows it.
bool EndsLine(std::string_view bytes, std::size_t at)
{
    return bytes[at] == '\n' ||
           (bytes[at] == '\r' && (at + 1 == bytes.size() || bytes[at + 1] != '\n'));
}

// The start of the line of `bytes` that holds position `at`.
std::size_t LineStart(std::string_view bytes, std::size_t at)
{
    for (std::size_t position = at; position > 0; --position)
        if (EndsLine(bytes, position - 1))
            return position;
    return 0;
}

std::size_t LineEnd(std::string_view bytes, std::size_t at)
{
    for (std::size_t position = at; position < bytes.size(); ++position)
        if (EndsLine(bytes, position))
            return position + 1;
    return bytes.size();
}

// True when `after` is `before` with one whole line replaced by, or with at a line's
// start (or the end) the insertion of, one of the texts a write puts in.
bool OnlyTheKeyChanged(std::string_view before, std::string_view after, std::string_view section,
                       std::string_view keyLine)
{
    const std::string sectionLine = "[" + std::string(section) + "]\r\n";
    const std::array<std::string, 4> insertions = {
        std::string(keyLine), "\r\n" + std::string(keyLine), sectionLine + std::string(keyLine),
        "\r\n" + sectionLine + std::string(keyLine)};
    if (before == after)
        return true; // the key's line was already exactly that
    const std::size_t prefix = CommonPrefix(before, after);
    // The change begins at the start of the line the bytes first differ in, or, when the
    // whole file was kept, at its end.
    std::vector<std::size_t> starts = {LineStart(before, prefix)};
    if (prefix == before.size())
        starts.push_back(prefix);
    // A line that ends in a bare CR is rewritten with CR LF: its bytes are all kept, and
    // the first difference comes only after its end.
    if (prefix > 0)
        starts.push_back(LineStart(before, prefix - 1));
    for (const std::size_t start : starts) {
        for (const std::size_t end : {start, LineEnd(before, start)}) {
            const std::string_view kept = before.substr(end);
            if (after.size() < start + kept.size() || !after.ends_with(kept))
                continue;
            const std::string_view put = after.substr(start, after.size() - kept.size() - start);
            for (const std::string& insertion : insertions)
                if (put == insertion && (end == start || insertion == keyLine))
                    return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> fields = zvk::fuzz::SplitAtNul(zvk::fuzz::BytesOf(data, size));
    if (fields.size() < 4)
        return 0;
    const std::string& section = fields[0];
    const std::string& key = fields[1];
    const std::string& value = fields[2];
    // The file is the rest of the input, NUL bytes and all.
    const std::string_view input = zvk::fuzz::BytesOf(data, size);
    const std::string file(input.substr(section.size() + key.size() + value.size() + 3));

    zvk::IniDocument document(file);
    static_cast<void>(document.Value(section, key));
    if (!document.SetValue(section, key, value)) {
        zvk::fuzz::Require(document.Bytes() == file, "a refused write changed the file");
        return 0;
    }
    zvk::fuzz::Require(document.Value(section, key) == ValueAsRead(value),
                       "a read after the write does not give back the value written");
    zvk::fuzz::Require(
        OnlyTheKeyChanged(file, document.Bytes(), section, key + "=" + value + "\r\n"),
        "the write changed more of the file than the key's line");
    return 0;
}
