#include "reports/report_configuration.h"

namespace zvk {

ReportConfiguration::ReportConfiguration(const std::filesystem::path& configFile)
    : m_configuration(LoadDeviceConfiguration(configFile))
{}

CompanyHeader ReportConfiguration::Company() const
{
    const auto& lines = m_configuration.companyLines;
    return {lines[0], lines[1], lines[2]};
}

std::string ReportConfiguration::Caption(int valueNumber) const
{
    const auto& captions = m_configuration.rowCaptions;
    if (valueNumber < 1 || static_cast<std::size_t>(valueNumber) > captions.size())
        return {};
    return captions[static_cast<std::size_t>(valueNumber) - 1];
}

} // namespace zvk
