#include "device/connection_software_fault.h"

namespace zvk {
namespace {

class FaultCategory final : public std::error_category
{
public:
    const char* name() const noexcept override
    {
        return "device connection software";
    }

    std::string message(int value) const override
    {
        switch (static_cast<ConnectionSoftwareFault>(value)) {
        case ConnectionSoftwareFault::NotInstalled:
            return "the device connection software is not installed";
        case ConnectionSoftwareFault::Incomplete:
            return "the device connection software lacks a function";
        }
        return "the device connection software cannot be used";
    }
};

} // namespace

const std::error_category& ConnectionSoftwareFaultCategory()
{
    static const FaultCategory category;
    return category;
}

std::error_code make_error_code(ConnectionSoftwareFault fault)
{
    return {static_cast<int>(fault), ConnectionSoftwareFaultCategory()};
}

} // namespace zvk
