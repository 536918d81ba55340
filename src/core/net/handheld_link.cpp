#include "net/handheld_link.h"

#include "text/ascii.h"

namespace zvk {

bool IsRndisInterface(const NetworkInterface& candidate)
{
    return candidate.driver == "rndis_host" ||
           AsciiLower(candidate.driver).find("remote ndis") != std::string::npos;
}

Result<HandheldLinkInterface> FindHandheldLink(const std::vector<NetworkInterface>& interfaces)
{
    const NetworkInterface* withoutAddress = nullptr;
    for (const NetworkInterface& candidate : interfaces) {
        if (!IsRndisInterface(candidate))
            continue;
        if (!candidate.addresses.empty())
            return HandheldLinkInterface{candidate, candidate.addresses.front()};
        if (withoutAddress == nullptr)
            withoutAddress = &candidate;
    }
    if (withoutAddress != nullptr)
        return Fail("the handheld's network link " + withoutAddress->name +
                    " has no IPv4 address yet");
    return Fail("no handheld's network link (RNDIS): is the handheld in its cradle?");
}

NamedLink LinkOfInterface(const HandheldLinkInterface& found)
{
    IPv4Address handheld = found.desktop;
    handheld[3] = found.desktop[3] == 1 ? 2 : 1;
    return NamedLink{Endpoint{found.desktop, kDesktopLinkPort},
                     Endpoint{handheld, kHandheldTriggerPort}};
}

} // namespace zvk
