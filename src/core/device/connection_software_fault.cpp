#include "device/connection_software_fault.h"

#include "system/worded_error_category.h"

namespace zvk {
namespace {

std::string FaultWords(int value)
{
    switch (static_cast<ConnectionSoftwareFault>(value)) {
    case ConnectionSoftwareFault::NotInstalled:
        return "the device connection software is not installed";
    case ConnectionSoftwareFault::Incomplete:
        return "the device connection software lacks a function";
    }
    return "the device connection software cannot be used";
}

} // namespace

const std::error_category& ConnectionSoftwareFaultCategory()
{
    static const WordedErrorCategory category("device connection software", &FaultWords);
    return category;
}

std::error_code make_error_code(ConnectionSoftwareFault fault)
{
    return {static_cast<int>(fault), ConnectionSoftwareFaultCategory()};
}

} // namespace zvk
