#pragma once

#include <optional>
#include <string>

#include "wire/device_info.h"

namespace zvk {

// Where the password of a handheld that wants it typed on the desktop comes from: the
// window asks the clerk, zvk has none. Asked on the thread that connects, which must not
// wait for the clerk: the transfer's watchdog gives the link a second.
class PasswordPrompt
{
public:
    virtual ~PasswordPrompt() = default;

    // The password to try on `handheld`, or none yet: the clerk may then be asked, and a
    // later connection tries what they typed. `refused`: the handheld refused the last one.
    virtual std::optional<std::u16string> Password(const wire::DeviceInfo& handheld,
                                                   bool refused) = 0;
};

} // namespace zvk
