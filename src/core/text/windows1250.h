#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zvk {

// Windows-1250 is the code page of every text of the system (lists, configuration,
// reports). The core converts only names that come from the desktop's file
// system (UTF-8 here) into it, for the names that lists carry inside; texts typed by users are
// converted by the user interface.
//
// A file name that is not UTF-8 was written by the handheld or an older desktop in their
// own code page: its bytes are read as Windows-1250.

// UTF-8 text as Windows-1250 bytes; characters the code page cannot hold, and
// bytes that are not UTF-8, become '?'.
std::string Utf8ToWindows1250(std::string_view utf8);

// True when `utf8` is UTF-8 whose every character has a Windows-1250 byte, so that
// it converts without a '?' of its own making.
bool Utf8FitsWindows1250(std::string_view utf8);

// The text with every capital letter of the code page in lower case, the letters
// of Slovak and its neighbours included ("Š" as "š", "Ľ" as "ľ"): texts that are
// equal in lower case differ only in letter case.
std::string Windows1250Lower(std::string_view text);

// The file's own name (without folder) as the Windows-1250 text that lists and
// their conversions carry.
std::string FileNameInWindows1250(const std::filesystem::path& path);

// The file's own name (without folder) as UTF-16 text, as the handheld names files.
std::u16string FileNameInUtf16(const std::filesystem::path& path);

// The text in Windows-1250 bytes; nothing when a character is not in the code page.
std::optional<std::string> Utf16ToWindows1250(std::u16string_view text);

// Windows-1250 bytes as UTF-16 text: every byte is one character, so that the text goes
// back to the same bytes.
std::u16string Windows1250ToUtf16(std::string_view bytes);

} // namespace zvk
