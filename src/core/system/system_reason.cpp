#include "system/system_reason.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zvk {
namespace {

// A system's error number that no standard reason stands for, named in English.
class UnnamedSystemErrorCategory final : public std::error_category
{
public:
    const char* name() const noexcept override
    {
        return "system error";
    }

    std::string message(int value) const override
    {
        return "system error " + std::to_string(value);
    }
};

const std::error_category& UnnamedSystemError()
{
    static const UnnamedSystemErrorCategory category;
    return category;
}

} // namespace

std::error_code StandardReason(std::error_code reason)
{
    if (!reason || reason.category() != std::system_category())
        return reason;
    const std::error_condition standard = reason.default_error_condition();
    if (standard.category() == std::generic_category())
        return {standard.value(), std::generic_category()};
    return {reason.value(), UnnamedSystemError()};
}

#ifdef _WIN32
std::error_code LastWindowsError()
{
    return StandardReason({static_cast<int>(GetLastError()), std::system_category()});
}
#endif

} // namespace zvk
