#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>

#include "system/result.h"

namespace zvk {

// Paths in the desktop settings file, ZVKServer.ini, as the Windows profile-string
// functions keep them: on Windows in the system's ANSI code page (1250 on a Slovak
// Windows, 1252 on a Western one), so that the folders that the older program wrote read
// as the same folders here, and those written here read there. Elsewhere a value is the
// file name's bytes. Texts for people and zvk's arguments stay UTF-8 (PathText).

// Why a path cannot be kept in the settings.
enum class SettingsPathRefusal
{
    // The ANSI code page lacks one of its letters: kept as '?' or as a look-alike letter,
    // it would name another folder.
    NotInCodePage = 1,
};

const std::error_category& SettingsPathRefusalCategory();
std::error_code make_error_code(SettingsPathRefusal refusal);

// `path` as a settings value; refused, naming the path, when the code page cannot hold it.
Result<std::string> SettingsPathText(const std::filesystem::path& path);

// The path that a settings value names.
std::filesystem::path PathFromSettingsText(std::string_view text);

// How paths are kept in the settings here, for a report to support: "the ANSI code page
// 1250", or "the file name's bytes".
std::string SettingsPathEncoding();

} // namespace zvk

template <> struct std::is_error_code_enum<zvk::SettingsPathRefusal> : std::true_type
{
};
