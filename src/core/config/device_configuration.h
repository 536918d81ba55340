#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk {

class IniDocument;

// The texts that the handheld and the reports share through the device
// configuration file: three company header lines, the captions of the 29 header
// values of a data list and 24 quality codes. Windows-1250 bytes.
struct DeviceConfiguration
{
    static constexpr std::size_t kCompanyLines = 3;
    static constexpr std::size_t kRowCaptions = 29;
    static constexpr std::size_t kQualityCodes = 24;

    std::array<std::string, kCompanyLines> companyLines;
    std::array<std::string, kRowCaptions> rowCaptions;
    std::array<std::string, kQualityCodes> qualityCodes;
};

// The longest value the handheld and the editor take for each kind of key.
inline constexpr std::array<std::size_t, DeviceConfiguration::kCompanyLines> kCompanyLineLimits = {
    40, 80, 80};
inline constexpr std::size_t kRowCaptionLimit = 18;
inline constexpr std::size_t kQualityCodeLimit = 3;

// Sections and keys: "Firma" Firma1..3, "Hlavicka" Riadok1..29, "Akosti" Akost1..24.
inline constexpr std::string_view kCompanySection = "Firma";
inline constexpr std::string_view kCaptionSection = "Hlavicka";
inline constexpr std::string_view kQualitySection = "Akosti";
std::string CompanyLineKey(std::size_t number);
std::string RowCaptionKey(std::size_t number);
std::string QualityCodeKey(std::size_t number);

// Every value of the document, missing ones empty, each cut to its limit.
DeviceConfiguration ReadDeviceConfiguration(const IniDocument& document);

// Writes every key in the order the handheld's file has always had: company
// lines, captions, quality codes, each in ascending number. A key that already
// holds its value keeps its line untouched; a text with blanks at either end is
// stored in double quotes so that it reads back with them. Fails, leaving the
// document as it was, when a value cannot be stored.
Result<> WriteDeviceConfiguration(IniDocument& document, const DeviceConfiguration& configuration);

// A quality code as stored: right-aligned in three characters within double
// quotes, so that its leading blanks survive the file.
std::string QuotedQualityCode(std::string_view code);

// The configuration in the file; a missing or unreadable file (or a folder)
// gives an empty configuration, as the editor then starts with empty boxes.
DeviceConfiguration LoadDeviceConfiguration(const std::filesystem::path& file);

// Stores the configuration into the file in one replacement: either the whole
// save is in the file or none of it. Every other line of the file stays as it
// was. Fails when nothing was written.
Result<> SaveDeviceConfiguration(const std::filesystem::path& file,
                                 const DeviceConfiguration& configuration);

} // namespace zvk
