#include "files/windows_file_name.h"

#include <string>

#include "system/worded_error_category.h"

namespace zvk {
namespace {

std::string FaultWords(int value)
{
    switch (static_cast<WindowsNameFault>(value)) {
    case WindowsNameFault::ReservedDeviceName:
        return "is a device name on Windows (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, with "
               "any extension)";
    case WindowsNameFault::EndsInDotOrSpace:
        return "ends in a dot or a space, which Windows drops";
    case WindowsNameFault::ForbiddenCharacter:
        return "holds a character that Windows allows in no name (< > : \" / \\ | ? *)";
    case WindowsNameFault::ControlCharacter:
        return "holds a control character, which Windows allows in no name";
    }
    return "cannot be held on Windows";
}

char16_t UpperAscii(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool EqualsIgnoringCase(std::u16string_view text, std::u16string_view upper)
{
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (UpperAscii(text[i]) != upper[i])
            return false;
    return true;
}

// Windows counts the superscript one, two and three as the port's digit too.
bool IsPortDigit(char16_t c)
{
    return (c >= u'1' && c <= u'9') || c == u'\u00B9' || c == u'\u00B2' || c == u'\u00B3';
}

bool IsDeviceName(std::u16string_view stem)
{
    for (const std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL"})
        if (EqualsIgnoringCase(stem, device))
            return true;
    if (stem.size() != 4 || !IsPortDigit(stem[3]))
        return false;
    return EqualsIgnoringCase(stem.substr(0, 3), u"COM") ||
           EqualsIgnoringCase(stem.substr(0, 3), u"LPT");
}

} // namespace

const std::error_category& WindowsNameFaultCategory()
{
    static const WordedErrorCategory category("Windows file name", &FaultWords);
    return category;
}

std::error_code make_error_code(WindowsNameFault fault)
{
    return {static_cast<int>(fault), WindowsNameFaultCategory()};
}

std::optional<WindowsNameFault> WindowsNameFaultOf(std::u16string_view name)
{
    constexpr std::u16string_view kForbidden = u"<>:\"/\\|?*";
    for (const char16_t c : name)
        if (c < 32)
            return WindowsNameFault::ControlCharacter;
    if (name.find_first_of(kForbidden) != std::u16string_view::npos)
        return WindowsNameFault::ForbiddenCharacter;
    if (!name.empty() && (name.back() == u'.' || name.back() == u' '))
        return WindowsNameFault::EndsInDotOrSpace;
    // The device is named by what comes before the first dot, spaces at its end ignored.
    std::u16string_view stem = name.substr(0, name.find(u'.'));
    while (!stem.empty() && stem.back() == u' ')
        stem.remove_suffix(1);
    if (IsDeviceName(stem))
        return WindowsNameFault::ReservedDeviceName;
    return std::nullopt;
}

} // namespace zvk
