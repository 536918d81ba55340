#pragma once

#include <string>
#include <string_view>

#include "net/endpoint.h"
#include "system/result.h"

namespace zvk {

// The handheld's network link named instead of found, for tests and for networks where no
// handheld's interface can be told apart (ZVK_LINK): where the desktop listens for the
// handheld's connections, and where the handheld waits for the trigger that calls them.
struct NamedLink
{
    Endpoint desktop;
    Endpoint handheldTrigger;

    bool operator==(const NamedLink&) const = default;
};

// "HOSTIP:PORT,DEVICEIP:TRIGGERPORT", such as "169.254.2.2:990,169.254.2.1:5679": two
// endpoints as ParseEndpoint reads them, nothing around the comma. Neither port may be 0:
// the handheld is told no port the system would choose.
Result<NamedLink> ParseNamedLink(std::string_view text);

// The link as ParseNamedLink reads it.
std::string NamedLinkText(const NamedLink& link);

} // namespace zvk
