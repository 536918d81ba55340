#include "gui/windows1250_text.h"

#include "text/windows1250.h"

// Through the core's own table of the code page: Qt converts Windows-1250 only where it is
// built with ICU, which the Qt of the Windows program is not.
namespace zvk {

QString FromWindows1250(std::string_view bytes)
{
    return QString::fromStdU16String(Windows1250ToUtf16(bytes));
}

std::string ToWindows1250(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToWindows1250({utf8.constData(), static_cast<std::size_t>(utf8.size())});
}

bool FitsWindows1250(const QString& text)
{
    return Utf16ToWindows1250(text.toStdU16String()).has_value();
}

} // namespace zvk
