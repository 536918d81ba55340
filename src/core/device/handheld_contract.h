#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/remote_api.h"

namespace zvk {

// What the desktop and the handheld program ZVK_CE agree on: the places on the
// handheld and the one-letter arguments of Slave.exe. Both the transfer workers and
// the handheld emulator take them from here.

inline constexpr std::u16string_view kHandheldProgram = u"\\ZVK_CE\\Slave.exe";
inline constexpr std::u16string_view kHandheldConfigurationFile = u"\\ZVK_CE\\ZVK.INI";
inline constexpr std::u16string_view kHandheldImportFolder = u"\\ZVK_CE\\Import\\";
inline constexpr std::u16string_view kHandheldExportMarker = u"\\ZVK_CE\\Export\\export.tmp";
inline constexpr std::u16string_view kHandheldListPattern = u"\\*.dat";

// The arguments of Slave.exe, each naming what the desktop has just done.
inline constexpr std::u16string_view kConfigurationSent = u"k"; // ZVK.INI written and closed
inline constexpr std::u16string_view kListSent = u"e";          // a list written to Import
inline constexpr std::u16string_view kExportRequested = u"i";   // marker deleted; lists wanted
inline constexpr std::u16string_view kListsTaken = u"x";        // lists copied and deleted

[[nodiscard]] bool StartHandheldProgram(RemoteApi& handheld, std::u16string_view argument);

// Where a list of the given handheld name lies: lists are found in the root folder.
std::u16string HandheldListPath(std::u16string_view name);
// Where a list sent under the given handheld name arrives.
std::u16string HandheldImportPath(std::u16string_view name);

// The handheld name of a desktop file, in UTF-16; a desktop name that is not UTF-8 is
// read in the handheld's code page, Windows-1250.
std::u16string HandheldNameOf(const std::filesystem::path& desktopFile);

// The desktop file name of a handheld name; nothing when the name is not valid
// UTF-16 or is no plain file name (empty, ".", "..", or holding a folder separator or a NUL),
// so that no name from the handheld can write outside the receive folder.
std::optional<std::filesystem::path> DesktopNameOf(std::u16string_view handheldName);

// Whether a file name matches a search pattern's last part as the handheld matches
// it: '*' any run, '?' any one character, letter case of ASCII letters ignored.
bool MatchesHandheldPattern(std::u16string_view name, std::u16string_view pattern);

// Whether the handheld's list search finds a list of this name: a file sent under any
// other name is never handed back.
bool IsHandheldListName(std::u16string_view name);

// The name of a search entry, up to its terminating NUL.
std::u16string_view EntryName(const CeFindData& entry);
// The size of a search entry's file, when the search asked for it (kFafSizeHigh and
// kFafSizeLow).
std::uint64_t EntrySize(const CeFindData& entry);

// The result of CeFindAllFiles, given back to the Remote API however the search ends.
class FoundFiles
{
public:
    // `flags` says what of each entry is asked for besides its name.
    FoundFiles(RemoteApi& handheld, std::u16string_view pattern, std::uint32_t flags = 0);
    ~FoundFiles();
    FoundFiles(const FoundFiles&) = delete;
    FoundFiles& operator=(const FoundFiles&) = delete;

    bool Succeeded() const;
    std::span<const CeFindData> Entries() const;

private:
    RemoteApi& m_handheld;
    bool m_succeeded = false;
    std::uint32_t m_count = 0;
    CeFindData* m_entries = nullptr;
};

} // namespace zvk
