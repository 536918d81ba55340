#pragma once

#include <vector>

#include "net/endpoint.h"
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

} // namespace zvk
