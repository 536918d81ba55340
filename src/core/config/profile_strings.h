#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk {

class IniDocument;

// The desktop settings file and the device configuration file are read and written one
// key at a time, with the meaning of the Windows profile-string functions the program was
// built on. Every write reads the whole file, changes one line and replaces the file in
// one rename, so that a crash never leaves half a file.

// The key's value; nothing when the file or the key is missing or the file cannot be read.
std::optional<std::string> FindProfileString(const std::filesystem::path& file,
                                             std::string_view section, std::string_view key);

// The key's value, or `defaultValue` when the file or the key is missing or the file
// cannot be read; either is cut to at most `maxLength` bytes.
std::string GetProfileString(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t maxLength);

// The key's value read as an integer: leading white space, an optional sign and "0x" for
// hexadecimal, then as many digits as follow (none gives 0); the rest of the value is
// ignored and a number too large wraps around in 32 bits. A missing key or an empty
// value gives `defaultValue`.
int GetProfileInt(const std::filesystem::path& file, std::string_view section, std::string_view key,
                  int defaultValue);

// Sets one key, creating the file when it is missing. Fails, writing nothing, when the file
// cannot be written; a file that exists but cannot be read is never replaced.
Result<> WriteProfileString(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, std::string_view value);

// For an editor that changes many keys at once: load, change in memory, save once.
// A missing file loads as an empty document.
Result<IniDocument> LoadIniDocument(const std::filesystem::path& file);
// A file that is a symbolic link is saved as the file it links to.
Result<> SaveIniDocument(const std::filesystem::path& file, const IniDocument& document);

} // namespace zvk
