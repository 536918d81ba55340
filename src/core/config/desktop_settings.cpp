#include "config/desktop_settings.h"

#include "config/profile_strings.h"
#include "system/settings_path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

constexpr std::string_view kReceiveFolderKey = "Importpath";
constexpr std::string_view kConfigurationKey = "Konfig";
constexpr std::string_view kConvertKey = "Konvert";
constexpr std::string_view kHandheldFolderKey = "Zariadenie";
constexpr std::string_view kOwnLinkKey = "VlastneSpojenie";
constexpr std::string_view kNamedLinkKey = "AdresySpojenia";

} // namespace

DesktopSettings::DesktopSettings(fs::path workingDirectory, std::string section)
    : m_workingDirectory(std::move(workingDirectory)), m_file(m_workingDirectory / "ZVKServer.ini"),
      m_section(std::move(section))
{}

const fs::path& DesktopSettings::File() const
{
    return m_file;
}

fs::path DesktopSettings::ReceiveFolder() const
{
    return ReadPath(kReceiveFolderKey).value_or(m_workingDirectory);
}

fs::path DesktopSettings::ConfigurationPath() const
{
    return ChosenConfigurationPath().value_or(m_workingDirectory);
}

std::optional<fs::path> DesktopSettings::ChosenConfigurationPath() const
{
    return ReadPath(kConfigurationKey);
}

bool DesktopSettings::ConvertReceivedLists() const
{
    return GetProfileInt(m_file, m_section, kConvertKey, 0) == 1;
}

fs::path DesktopSettings::HandheldFolder() const
{
    return ReadPath(kHandheldFolderKey).value_or(fs::path());
}

bool DesktopSettings::OwnHandheldLink() const
{
    return GetProfileInt(m_file, m_section, kOwnLinkKey, 0) == 1;
}

std::string DesktopSettings::NamedHandheldLink() const
{
    return FindProfileString(m_file, m_section, kNamedLinkKey).value_or(std::string());
}

// The working directory, the default, never goes through the code page: one whose letters
// it lacks is still the folder the program started in.
std::optional<fs::path> DesktopSettings::ReadPath(std::string_view key) const
{
    const std::optional<std::string> text = FindProfileString(m_file, m_section, key);
    if (!text)
        return std::nullopt;
    return PathFromSettingsText(*text);
}

Result<> DesktopSettings::WriteReceiveFolder(const fs::path& folder) const
{
    return WritePath(kReceiveFolderKey, folder);
}

Result<> DesktopSettings::WriteConfigurationPath(const fs::path& file) const
{
    return WritePath(kConfigurationKey, file);
}

Result<> DesktopSettings::WritePath(std::string_view key, const fs::path& path) const
{
    Result<std::string> text = SettingsPathText(path);
    if (!text)
        return Unexpected(std::move(text).error());
    return WriteProfileString(m_file, m_section, key, *text);
}

Result<> DesktopSettings::WriteConvertReceivedLists(bool convert) const
{
    return WriteProfileString(m_file, m_section, kConvertKey, convert ? "1" : "0");
}

} // namespace zvk
