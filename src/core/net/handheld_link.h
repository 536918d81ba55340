#pragma once

#include <vector>

#include "net/endpoint.h"
#include "net/named_link.h"
#include "net/network_interfaces.h"
#include "system/result.h"

namespace zvk {

// The interface of the handheld's USB network link (RNDIS) and this computer's address on it,
// where the desktop listens for the handheld.
struct HandheldLinkInterface
{
    NetworkInterface adapter;
    IPv4Address desktop{};
};

// Whether `candidate` is a handheld's RNDIS link: Linux's rndis_host driver, or the adapter
// Windows installs for a Remote NDIS device.
bool IsRndisInterface(const NetworkInterface& candidate);

// The first RNDIS interface among `interfaces` that has an IPv4 address, and its first
// address. A failure says which step is missing: no RNDIS link at all (the handheld is not
// in its cradle, or its driver did not bind), or a link without an address yet (the
// handheld's DHCP has not answered).
Result<HandheldLinkInterface> FindHandheldLink(const std::vector<NetworkInterface>& interfaces);

// The desktop's port for the handheld's connections, and the handheld's for the trigger.
inline constexpr std::uint16_t kDesktopLinkPort = 990;
inline constexpr std::uint16_t kHandheldTriggerPort = 5679;

// Where the desktop meets the handheld on a link it found: its own address on the link at
// kDesktopLinkPort, and the handheld at the first address of the link's /24 network
// (169.254.2.1 beside the desktop's 169.254.2.2), or the second when the desktop holds the
// first: the handheld serves the link's addresses and keeps the first for itself.
NamedLink LinkOfInterface(const HandheldLinkInterface& found);

} // namespace zvk
