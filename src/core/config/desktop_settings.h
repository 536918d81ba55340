#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk {

// The desktop settings file ZVKServer.ini in the working directory the program started
// in, one section named after the program's executable. Paths in it are kept as the
// Windows profile-string functions keep them (SettingsPathText: the ANSI code page on
// Windows, the file name's bytes elsewhere), so that the older program and this one read
// each other's folders. Every value is read afresh from the file, so a change made
// meanwhile by the other program counts.
class DesktopSettings
{
public:
    // The section of the program's own executable, the one the command-line tool
    // shares with it.
    static constexpr std::string_view kProgramSection = "zvkpc";

    // The settings of a program started in `workingDirectory`, in the section
    // named after its executable.
    explicit DesktopSettings(std::filesystem::path workingDirectory,
                             std::string section = std::string(kProgramSection));

    const std::filesystem::path& File() const;

    // "Importpath": the folder that receives data lists; the working directory when unset.
    std::filesystem::path ReceiveFolder() const;
    // "Konfig": the device configuration file; the working directory (a folder, not a
    // file) when unset, which the window shows as the older program did.
    std::filesystem::path ConfigurationPath() const;
    // "Konfig" as it is set; nothing when the file or the key is missing.
    std::optional<std::filesystem::path> ChosenConfigurationPath() const;
    // "Konvert": received lists are converted to semicolon text only when it is 1.
    bool ConvertReceivedLists() const;
    // "Zariadenie": the folder of the emulated handheld; empty when unset.
    std::filesystem::path HandheldFolder() const;
    // "VlastneSpojenie": 1 when the handheld is reached over the program's own network link
    // even where the device connection software (rapi.dll) is installed.
    bool OwnHandheldLink() const;
    // "AdresySpojenia": the handheld's network link named instead of found
    // ("HOSTIP:PORT,DEVICEIP:TRIGGERPORT"), as written; empty when unset.
    std::string NamedHandheldLink() const;

    // Each change is written at once, on its own; a failure leaves the file as it was. A
    // path the code page cannot hold is refused (SettingsPathRefusal::NotInCodePage, with
    // the path as the failure's file).
    Result<> WriteReceiveFolder(const std::filesystem::path& folder) const;
    Result<> WriteConfigurationPath(const std::filesystem::path& file) const;
    Result<> WriteConvertReceivedLists(bool convert) const;

private:
    // The path that `key` names; nothing when the file or the key is missing.
    std::optional<std::filesystem::path> ReadPath(std::string_view key) const;
    Result<> WritePath(std::string_view key, const std::filesystem::path& path) const;

    std::filesystem::path m_workingDirectory;
    std::filesystem::path m_file;
    std::string m_section;
};

} // namespace zvk
