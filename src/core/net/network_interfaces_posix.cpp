#include "net/network_interfaces.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <ifaddrs.h>
#include <netinet/in.h>

#include "net/socket_failure.h"

namespace zvk {
namespace {

// The kernel's driver of the interface, from the link sysfs keeps to it; empty for one
// without a device (the loopback, a bridge).
std::string DriverOf(const std::string& name)
{
    std::error_code ignored;
    const std::filesystem::path driver =
        std::filesystem::read_symlink("/sys/class/net/" + name + "/device/driver", ignored);
    return driver.filename().string();
}

NetworkInterface& InterfaceNamed(std::vector<NetworkInterface>& found, const char* name)
{
    const auto known = std::find_if(found.begin(), found.end(), [&](const NetworkInterface& each) {
        return each.name == name;
    });
    if (known != found.end())
        return *known;
    return found.emplace_back(NetworkInterface{name, DriverOf(name), {}});
}

} // namespace

Result<std::vector<NetworkInterface>> NetworkInterfaces()
{
    ifaddrs* first = nullptr;
    if (getifaddrs(&first) != 0)
        return SocketFailure("cannot list the network interfaces",
                             std::error_code(errno, std::generic_category()));
    std::vector<NetworkInterface> found;
    // Every interface has an entry of its own, with an address or without one.
    for (const ifaddrs* entry = first; entry != nullptr; entry = entry->ifa_next) {
        NetworkInterface& listed = InterfaceNamed(found, entry->ifa_name);
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET)
            continue;
        sockaddr_in address{};
        std::memcpy(&address, entry->ifa_addr, sizeof address);
        IPv4Address bytes{};
        std::memcpy(bytes.data(), &address.sin_addr.s_addr, bytes.size());
        listed.addresses.push_back(bytes);
    }
    freeifaddrs(first);
    return found;
}

} // namespace zvk
