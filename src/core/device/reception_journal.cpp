#include "device/reception_journal.h"

#include <charconv>
#include <optional>

#include "files/atomic_file.h"
#include "files/input_file.h"
#include "lists/line_reader.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

constexpr std::string_view kHeading =
    "# ZVK PC: lists received into this folder; time, handheld name, desktop name, bytes, "
    "SHA-256, semicolon text, earlier list kept as\n";
constexpr std::size_t kFields = 7;

// A field holds no tab or line break: a name with one is written with backslashes.
std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::optional<std::string> Unescaped(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            plain += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\':
            plain += '\\';
            break;
        case 't':
            plain += '\t';
            break;
        case 'n':
            plain += '\n';
            break;
        case 'r':
            plain += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return plain;
}

bool IsDigest(std::string_view text)
{
    return text.size() == 64 &&
           text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

std::optional<JournalEntry> EntryOf(std::string_view line)
{
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        std::optional<std::string> field = Unescaped(line.substr(start, tab - start));
        if (!field)
            return std::nullopt;
        fields.push_back(std::move(*field));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    if (fields.size() != kFields || fields[2].empty() || !IsDigest(fields[4]) ||
        (fields[5] != "yes" && fields[5] != "no"))
        return std::nullopt;
    JournalEntry entry{fields[0],
                       fields[1],
                       fields[2],
                       0,
                       fields[4],
                       fields[5] == "yes",
                       fields[6] == "-" ? std::string() : fields[6]};
    const std::string& size = fields[3];
    const auto [end, error] = std::from_chars(size.data(), size.data() + size.size(), entry.size);
    if (error != std::errc() || end != size.data() + size.size())
        return std::nullopt;
    return entry;
}

} // namespace

std::string JournalLine(const JournalEntry& entry)
{
    return Escaped(entry.time) + '\t' + Escaped(entry.handheldName) + '\t' +
           Escaped(entry.desktopName) + '\t' + std::to_string(entry.size) + '\t' + entry.sha256 +
           '\t' + (entry.textWritten ? "yes" : "no") + '\t' +
           (entry.keptAs.empty() ? std::string("-") : Escaped(entry.keptAs)) + '\n';
}

Result<> AppendToJournal(const fs::path& folder, const JournalEntry& entry)
{
    return AppendDurably(folder / PathFromText(kJournalName), JournalLine(entry), kHeading);
}

Result<JournalReading> ReadJournal(const fs::path& folder)
{
    Result<std::string> bytes = ReadWholeFile(folder / PathFromText(kJournalName));
    if (!bytes)
        return Unexpected(std::move(bytes).error());
    return ParseJournal(*bytes);
}

JournalReading ParseJournal(std::string_view bytes)
{
    JournalReading reading;
    std::size_t number = 0;
    ForEachLineIn(bytes, [&reading, &number](std::string_view line) {
        ++number;
        if (line.empty() || line.front() == '#')
            return;
        if (std::optional<JournalEntry> entry = EntryOf(line))
            reading.entries.push_back(std::move(*entry));
        else
            reading.damagedLines.push_back(number);
    });
    return reading;
}

} // namespace zvk
