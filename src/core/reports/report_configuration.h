#pragma once

#include <filesystem>
#include <string>

#include "config/device_configuration.h"
#include "reports/report_document.h"

namespace zvk {

// The texts of the device configuration that documents print: the company lines
// and the captions of the header values, read once, each cut as the handheld
// cuts it. A missing or unreadable file gives empty texts, as a missing key does.
class ReportConfiguration
{
public:
    explicit ReportConfiguration(const std::filesystem::path& configFile);

    CompanyHeader Company() const;
    // The caption of header value `valueNumber` (1 to 29); empty for any other number.
    std::string Caption(int valueNumber) const;

private:
    DeviceConfiguration m_configuration;
};

} // namespace zvk
