#include "system/settings_path_text.h"

#include <optional>

#include "system/worded_error_category.h"

#ifdef _WIN32
#include <windows.h>

#include "text/path_text.h"
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

std::string RefusalWords(int value)
{
    switch (static_cast<SettingsPathRefusal>(value)) {
    case SettingsPathRefusal::NotInCodePage:
        return "has letters that the Windows code page lacks";
    }
    return "cannot be kept in the settings";
}

#ifdef _WIN32
// The bytes of `wide` in the ANSI code page; none when it lacks one of its letters.
std::optional<std::string> ToCodePage(const std::wstring& wide)
{
    // A letter without its exact byte would otherwise be written as a look-alike ("č" as
    // "c" under 1252). The UTF-8 code page, a choice of newer Windows, holds every letter
    // and takes neither the flag nor the default character: there only an invalid UTF-16
    // name fails.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const defaultFlag = utf8 ? nullptr : &usedDefault;
    const int wideLength = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, nullptr, 0,
                                           nullptr, defaultFlag);
    if (length == 0 || usedDefault)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, text.data(), length, nullptr,
                        nullptr);
    return text;
}
#endif

} // namespace

const std::error_category& SettingsPathRefusalCategory()
{
    static const WordedErrorCategory category("settings path refusal", &RefusalWords);
    return category;
}

std::error_code make_error_code(SettingsPathRefusal refusal)
{
    return {static_cast<int>(refusal), SettingsPathRefusalCategory()};
}

Result<std::string> SettingsPathText(const fs::path& path)
{
#ifdef _WIN32
    if (path.empty())
        return std::string();
    std::optional<std::string> text = ToCodePage(path.native());
    if (!text)
        return Fail("cannot keep " + PathText(path) + " in the settings: the Windows code page " +
                        std::to_string(GetACP()) + " lacks some of its letters",
                    {path, SettingsPathRefusal::NotInCodePage, FileFailure::Access::Writing});
    return std::move(*text);
#else
    return path.native();
#endif
}

fs::path PathFromSettingsText(std::string_view text)
{
#ifdef _WIN32
    if (text.empty())
        return {};
    // Every byte reads as some letter, as the profile-string functions read it.
    const int textLength = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), textLength, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), textLength, wide.data(), length);
    return fs::path(std::move(wide));
#else
    return fs::path(std::string(text));
#endif
}

std::string SettingsPathEncoding()
{
#ifdef _WIN32
    return "the ANSI code page " + std::to_string(GetACP());
#else
    return "the file name's bytes";
#endif
}

} // namespace zvk
