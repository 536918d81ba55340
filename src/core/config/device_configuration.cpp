#include "config/device_configuration.h"

#include "config/ini_document.h"
#include "config/profile_strings.h"
#include "text/ascii.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

std::string ValueCut(const IniDocument& document, std::string_view section, const std::string& key,
                     std::size_t limit)
{
    std::string value = document.Value(section, key).value_or(std::string());
    if (value.size() > limit)
        value.resize(limit);
    return value;
}

// A typed text as a value that reads back exactly as typed: in double quotes when
// blanks at either end would otherwise be dropped on reading, or when quotes of
// its own would be taken for the file's.
std::string StoredText(std::string_view text)
{
    const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
    if (!quoted && TrimWhiteSpace(text).size() == text.size())
        return std::string(text);
    return "\"" + std::string(text) + "\"";
}

// Writes one key unless it already holds `value` within its limit: a key nobody
// changed keeps its line as it stands, quotes and all, since the handheld gets the
// file byte for byte.
Result<> SetChangedValue(IniDocument& document, std::string_view section, const std::string& key,
                         std::size_t limit, std::string_view value, const std::string& stored)
{
    const std::optional<std::string> present = document.Value(section, key);
    if (present && present->size() <= limit && *present == value)
        return {};
    return document.SetValue(section, key, stored);
}

} // namespace

std::string CompanyLineKey(std::size_t number)
{
    return "Firma" + std::to_string(number);
}

std::string RowCaptionKey(std::size_t number)
{
    return "Riadok" + std::to_string(number);
}

std::string QualityCodeKey(std::size_t number)
{
    return "Akost" + std::to_string(number);
}

std::string QuotedQualityCode(std::string_view code)
{
    std::string quoted = "\"";
    if (code.size() < kQualityCodeLimit)
        quoted.append(kQualityCodeLimit - code.size(), ' ');
    quoted += code;
    return quoted + "\"";
}

DeviceConfiguration ReadDeviceConfiguration(const IniDocument& document)
{
    DeviceConfiguration configuration;
    for (std::size_t i = 0; i < configuration.companyLines.size(); ++i)
        configuration.companyLines[i] =
            ValueCut(document, kCompanySection, CompanyLineKey(i + 1), kCompanyLineLimits[i]);
    for (std::size_t i = 0; i < configuration.rowCaptions.size(); ++i)
        configuration.rowCaptions[i] =
            ValueCut(document, kCaptionSection, RowCaptionKey(i + 1), kRowCaptionLimit);
    for (std::size_t i = 0; i < configuration.qualityCodes.size(); ++i)
        configuration.qualityCodes[i] =
            ValueCut(document, kQualitySection, QualityCodeKey(i + 1), kQualityCodeLimit);
    return configuration;
}

Result<> WriteDeviceConfiguration(IniDocument& document, const DeviceConfiguration& configuration)
{
    // Work on a copy so that a refused value leaves the document untouched.
    IniDocument updated = document;
    Result<> stored;
    for (std::size_t i = 0; i < configuration.companyLines.size() && stored; ++i) {
        const std::string& line = configuration.companyLines[i];
        stored = SetChangedValue(updated, kCompanySection, CompanyLineKey(i + 1),
                                 kCompanyLineLimits[i], line, StoredText(line));
    }
    for (std::size_t i = 0; i < configuration.rowCaptions.size() && stored; ++i) {
        const std::string& caption = configuration.rowCaptions[i];
        stored = SetChangedValue(updated, kCaptionSection, RowCaptionKey(i + 1), kRowCaptionLimit,
                                 caption, StoredText(caption));
    }
    for (std::size_t i = 0; i < configuration.qualityCodes.size() && stored; ++i) {
        const std::string& code = configuration.qualityCodes[i];
        stored = SetChangedValue(updated, kQualitySection, QualityCodeKey(i + 1), kQualityCodeLimit,
                                 code, QuotedQualityCode(code));
    }
    if (stored)
        document = std::move(updated);
    return stored;
}

DeviceConfiguration LoadDeviceConfiguration(const fs::path& file)
{
    // An unreadable file gives empty boxes, as a missing one does.
    const Result<IniDocument> document = LoadIniDocument(file);
    return ReadDeviceConfiguration(document ? *document : IniDocument());
}

Result<> SaveDeviceConfiguration(const fs::path& file, const DeviceConfiguration& configuration)
{
    Result<IniDocument> document = LoadIniDocument(file);
    if (!document)
        return Unexpected(std::move(document).error());
    if (Result<> written = WriteDeviceConfiguration(*document, configuration); !written)
        return written;
    return SaveIniDocument(file, *document);
}

} // namespace zvk
