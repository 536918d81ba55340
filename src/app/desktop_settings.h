#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zvk {

// The desktop settings file ZVKServer.ini in the working directory the program started
// in, one section named after the program ("zvkpc"). Paths in it are in the desktop's
// file-name encoding, as they are only ever used as paths. Every value is read afresh
// from the file, so a change made meanwhile by the other program counts.
class DesktopSettings
{
public:
    // The settings of a program started in `workingDirectory`.
    explicit DesktopSettings(std::filesystem::path workingDirectory);
    static DesktopSettings InWorkingDirectory();

    const std::filesystem::path& File() const;

    // "Importpath": the folder that receives data lists; the working directory when unset.
    std::filesystem::path ReceiveFolder() const;
    // "Konfig": the device configuration file; the working directory (a folder, not a
    // file) when unset.
    std::filesystem::path ConfigurationPath() const;
    // "Konvert": received lists are converted to semicolon text only when it is 1.
    bool ConvertReceivedLists() const;
    // "Zariadenie": the folder of the emulated handheld; empty when unset.
    std::string HandheldFolder() const;

private:
    std::filesystem::path ReadPath(std::string_view key) const;

    std::filesystem::path m_workingDirectory;
    std::filesystem::path m_file;
};

} // namespace zvk
