#include "files/windows_refusal.h"

#include <string>

#include "system/worded_error_category.h"

namespace zvk {
namespace {

std::string RefusalWords(int value)
{
    switch (static_cast<WindowsRefusal>(value)) {
    case WindowsRefusal::HeldByAnotherProgram:
        return "the file is open in another program; close it there and try again";
    case WindowsRefusal::PathTooLong:
        return "the path is longer than Windows' limit of " + std::to_string(kWindowsPathLimit) +
               " characters";
    }
    return "is refused by Windows";
}

} // namespace

bool ExceedsWindowsPathLimit([[maybe_unused]] const std::filesystem::path& path,
                             [[maybe_unused]] std::size_t room)
{
#ifdef _WIN32
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return !ec && absolute.native().size() + room >= kWindowsPathLimit;
#else
    return false;
#endif
}

const std::error_category& WindowsRefusalCategory()
{
    static const WordedErrorCategory category("windows refusal", &RefusalWords);
    return category;
}

std::error_code make_error_code(WindowsRefusal refusal)
{
    return {static_cast<int>(refusal), WindowsRefusalCategory()};
}

} // namespace zvk
