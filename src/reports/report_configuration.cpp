#include "reports/report_configuration.h"

#include "config/profile_strings.h"

namespace zvk {
namespace {

constexpr std::size_t kFirstCompanyLineLength = 40;
constexpr std::size_t kCompanyLineLength = 80;
constexpr std::size_t kCaptionLength = 18;

} // namespace

ReportConfiguration::ReportConfiguration(const std::filesystem::path& configFile)
{
    std::string error;
    // An unreadable file reads like a missing one: every text empty.
    if (!LoadIniDocument(configFile, m_document, error))
        m_document = IniDocument();
}

CompanyHeader ReportConfiguration::Company() const
{
    return {Text("Firma", "Firma1", kFirstCompanyLineLength),
            Text("Firma", "Firma2", kCompanyLineLength),
            Text("Firma", "Firma3", kCompanyLineLength)};
}

std::string ReportConfiguration::Caption(int valueNumber) const
{
    return Text("Hlavicka", "Riadok" + std::to_string(valueNumber), kCaptionLength);
}

std::string ReportConfiguration::Text(std::string_view section, std::string_view key,
                                      std::size_t maxLength) const
{
    std::string value = m_document.Value(section, key).value_or(std::string());
    if (value.size() > maxLength)
        value.resize(maxLength);
    return value;
}

} // namespace zvk
