#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace zvk {

// The one place where the user interface turns the Windows-1250 bytes of lists
// and configuration files into text it shows, and typed text back into bytes.
QString FromWindows1250(std::string_view bytes);
std::string ToWindows1250(const QString& text);

// True when every character of `text` has a Windows-1250 byte, so that what is
// written comes back the same.
bool FitsWindows1250(const QString& text);

} // namespace zvk
