#include "config/desktop_settings.h"

#include <limits>

#include "config/profile_strings.h"
#include "platform/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

constexpr std::string_view kReceiveFolderKey = "Importpath";
constexpr std::string_view kConfigurationKey = "Konfig";
constexpr std::string_view kConvertKey = "Konvert";
// Paths are never cut.
constexpr std::size_t kWholeValue = std::numeric_limits<std::size_t>::max();

} // namespace

DesktopSettings::DesktopSettings(fs::path workingDirectory, std::string section)
    : m_workingDirectory(std::move(workingDirectory)), m_file(m_workingDirectory / "ZVKServer.ini"),
      m_section(std::move(section))
{}

DesktopSettings DesktopSettings::InWorkingDirectory()
{
    return DesktopSettings(fs::current_path());
}

const fs::path& DesktopSettings::File() const
{
    return m_file;
}

fs::path DesktopSettings::ReceiveFolder() const
{
    return ReadPath(kReceiveFolderKey);
}

fs::path DesktopSettings::ConfigurationPath() const
{
    return ReadPath(kConfigurationKey);
}

bool DesktopSettings::ConvertReceivedLists() const
{
    return GetProfileInt(m_file, m_section, kConvertKey, 0) == 1;
}

std::string DesktopSettings::HandheldFolder() const
{
    return GetProfileString(m_file, m_section, "Zariadenie", "", kWholeValue);
}

fs::path DesktopSettings::ReadPath(std::string_view key) const
{
    return PathFromText(
        GetProfileString(m_file, m_section, key, PathText(m_workingDirectory), kWholeValue));
}

Result<> DesktopSettings::WriteReceiveFolder(const fs::path& folder) const
{
    return WriteProfileString(m_file, m_section, kReceiveFolderKey, PathText(folder));
}

Result<> DesktopSettings::WriteConfigurationPath(const fs::path& file) const
{
    return WriteProfileString(m_file, m_section, kConfigurationKey, PathText(file));
}

Result<> DesktopSettings::WriteConvertReceivedLists(bool convert) const
{
    return WriteProfileString(m_file, m_section, kConvertKey, convert ? "1" : "0");
}

} // namespace zvk
