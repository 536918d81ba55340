#pragma once

#include <string>
#include <vector>

#include "net/endpoint.h"
#include "system/result.h"

namespace zvk {

// A network interface of this computer as the handheld's link is looked for among them.
struct NetworkInterface
{
    // Linux: the interface's name ("usb0"); Windows: the adapter's name as its settings show it.
    std::string name;
    // What drives it. Linux: the kernel's driver ("rndis_host"); Windows: the adapter's
    // description ("Remote NDIS Compatible Device").
    std::string driver;
    std::vector<IPv4Address> addresses;
};

// The interfaces of this computer with their IPv4 addresses: one of the system's queries,
// which only main makes.
Result<std::vector<NetworkInterface>> NetworkInterfaces();

} // namespace zvk
