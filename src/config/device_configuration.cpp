#include "config/device_configuration.h"

#include "config/ini_document.h"
#include "config/profile_strings.h"

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

std::string WriteDeviceConfiguration(IniDocument& document,
                                     const DeviceConfiguration& configuration)
{
    // Work on a copy so that a refused value leaves the document untouched.
    IniDocument updated = document;
    std::string error;
    for (std::size_t i = 0; i < configuration.companyLines.size() && error.empty(); ++i)
        error =
            updated.SetValue(kCompanySection, CompanyLineKey(i + 1), configuration.companyLines[i]);
    for (std::size_t i = 0; i < configuration.rowCaptions.size() && error.empty(); ++i)
        error =
            updated.SetValue(kCaptionSection, RowCaptionKey(i + 1), configuration.rowCaptions[i]);
    for (std::size_t i = 0; i < configuration.qualityCodes.size() && error.empty(); ++i)
        error = updated.SetValue(kQualitySection, QualityCodeKey(i + 1),
                                 QuotedQualityCode(configuration.qualityCodes[i]));
    if (error.empty())
        document = std::move(updated);
    return error;
}

DeviceConfiguration LoadDeviceConfiguration(const fs::path& file)
{
    IniDocument document;
    std::string error;
    LoadIniDocument(file, document, error);
    return ReadDeviceConfiguration(document);
}

std::string SaveDeviceConfiguration(const fs::path& file, const DeviceConfiguration& configuration)
{
    IniDocument document;
    std::string error;
    if (!LoadIniDocument(file, document, error))
        return error;
    error = WriteDeviceConfiguration(document, configuration);
    if (!error.empty())
        return error;
    return SaveIniDocument(file, document);
}

} // namespace zvk
