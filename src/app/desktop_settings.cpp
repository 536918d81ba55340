#include "app/desktop_settings.h"

#include <limits>

#include "config/profile_strings.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

constexpr std::string_view kSection = "zvkpc";
// Paths are never cut.
constexpr std::size_t kWholeValue = std::numeric_limits<std::size_t>::max();

} // namespace

DesktopSettings::DesktopSettings(fs::path workingDirectory)
    : m_workingDirectory(std::move(workingDirectory)), m_file(m_workingDirectory / "ZVKServer.ini")
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
    return ReadPath("Importpath");
}

fs::path DesktopSettings::ConfigurationPath() const
{
    return ReadPath("Konfig");
}

bool DesktopSettings::ConvertReceivedLists() const
{
    return GetProfileInt(m_file, kSection, "Konvert", 0) == 1;
}

std::string DesktopSettings::HandheldFolder() const
{
    return GetProfileString(m_file, kSection, "Zariadenie", "", kWholeValue);
}

fs::path DesktopSettings::ReadPath(std::string_view key) const
{
    return fs::path(
        GetProfileString(m_file, kSection, key, m_workingDirectory.string(), kWholeValue));
}

} // namespace zvk
