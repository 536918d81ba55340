#pragma once

#include <filesystem>
#include <string>

#include "config/ini_document.h"
#include "reports/report_document.h"

namespace zvk {

// The texts of the device configuration that documents print: the company lines
// (section "Firma") and the captions of the header values (section "Hlavicka").
// A missing or unreadable file gives empty texts, as a missing key does.
class ReportConfiguration
{
public:
    explicit ReportConfiguration(const std::filesystem::path& configFile);

    // "Firma1" to "Firma3", cut to 40, 80 and 80 characters.
    CompanyHeader Company() const;
    // "Riadok" followed by `valueNumber`, cut to 18 characters.
    std::string Caption(int valueNumber) const;

private:
    std::string Text(std::string_view section, std::string_view key, std::size_t maxLength) const;

    IniDocument m_document;
};

} // namespace zvk
