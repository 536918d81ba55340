#include "config/profile_strings.h"

#include <cstdint>
#include <optional>
#include <system_error>
#include <utility>

#include "config/ini_document.h"
#include "files/atomic_file.h"
#include "files/input_file.h"
#include "text/ascii.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

std::uint32_t DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint32_t>(c - '0');
    const char lower = AsciiLower(c);
    if (lower >= 'a' && lower <= 'f')
        return static_cast<std::uint32_t>(lower - 'a' + 10);
    return 99;
}

// Settings written by hand ("Konvert=1 ; zapnute", "Konvert=ano") must still give a
// number, never an error, as they did on Windows.
int ParseProfileInt(std::string_view text)
{
    text = TrimWhiteSpace(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    std::uint32_t base = 10;
    if (text.size() >= 2 && text[0] == '0' && AsciiLower(text[1]) == 'x') {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint32_t number = 0;
    for (const char c : text) {
        const std::uint32_t digit = DigitValue(c);
        if (digit >= base)
            break;
        number = number * base + digit;
    }
    if (negative)
        number = 0u - number;
    return static_cast<int>(number);
}

} // namespace

std::optional<std::string> FindProfileString(const fs::path& file, std::string_view section,
                                             std::string_view key)
{
    const Result<IniDocument> document = LoadIniDocument(file);
    if (!document)
        return std::nullopt;
    return document->Value(section, key);
}

std::string GetProfileString(const fs::path& file, std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::size_t maxLength)
{
    std::string value = FindProfileString(file, section, key).value_or(std::string(defaultValue));
    if (value.size() > maxLength)
        value.resize(maxLength);
    return value;
}

int GetProfileInt(const fs::path& file, std::string_view section, std::string_view key,
                  int defaultValue)
{
    const std::optional<std::string> value = FindProfileString(file, section, key);
    if (!value || value->empty())
        return defaultValue;
    return ParseProfileInt(*value);
}

Result<> WriteProfileString(const fs::path& file, std::string_view section, std::string_view key,
                            std::string_view value)
{
    Result<IniDocument> document = LoadIniDocument(file);
    if (!document)
        return Unexpected(std::move(document).error());
    if (Result<> set = document->SetValue(section, key, value); !set)
        return set;
    return SaveIniDocument(file, *document);
}

Result<IniDocument> LoadIniDocument(const fs::path& file)
{
    std::error_code ec;
    if (fs::status(file, ec).type() == fs::file_type::not_found)
        return IniDocument();
    Result<std::string> bytes = ReadWholeFile(file);
    if (!bytes)
        return Unexpected(std::move(bytes).error());
    return IniDocument(std::move(bytes).value());
}

namespace {

// The file a chain of symbolic links ends at, which may not exist yet; the file itself
// when it is no link. A loop of links ends where the system would refuse it.
fs::path LinkedFile(fs::path file)
{
    constexpr int kMostLinks = 40;
    for (int followed = 0; followed < kMostLinks; ++followed) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(file, ec)))
            break;
        const fs::path target = fs::read_symlink(file, ec);
        if (ec)
            break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

} // namespace

// A configuration kept elsewhere and linked to is written where it lies, beside its own
// file: replacing the link by a plain file would leave the linked one as it was.
Result<> SaveIniDocument(const fs::path& file, const IniDocument& document)
{
    return WriteFileAtomically(LinkedFile(file), document.Bytes());
}

} // namespace zvk
