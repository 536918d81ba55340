#include "net/network_interfaces.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include <winsock2.h>
#include <ws2tcpip.h>
// After winsock2.h, whose types it uses.
#include <iphlpapi.h>

#include "net/socket_failure.h"
#include "text/path_text.h"

namespace zvk {
namespace {

// An adapter's wide text in UTF-8, as a path's text is.
std::string Utf8Of(const wchar_t* text)
{
    return text == nullptr ? std::string() : PathText(std::filesystem::path(std::wstring(text)));
}

} // namespace

Result<std::vector<NetworkInterface>> NetworkInterfaces()
{
    // The list's size is only known by asking; an adapter may come between two asks, so the
    // buffer grows a few times at most.
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG outcome = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 4 && outcome == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        outcome = GetAdaptersAddresses(
            AF_INET, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER,
            nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    std::vector<NetworkInterface> found;
    if (outcome == ERROR_NO_DATA)
        return found;
    if (outcome != ERROR_SUCCESS)
        return SocketFailure("cannot list the network interfaces",
                             std::error_code(static_cast<int>(outcome), std::system_category()));
    for (const IP_ADAPTER_ADDRESSES* adapter =
             reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
         adapter != nullptr; adapter = adapter->Next) {
        NetworkInterface& listed = found.emplace_back(
            NetworkInterface{Utf8Of(adapter->FriendlyName), Utf8Of(adapter->Description), {}});
        for (const IP_ADAPTER_UNICAST_ADDRESS* unicast = adapter->FirstUnicastAddress;
             unicast != nullptr; unicast = unicast->Next) {
            const SOCKADDR* address = unicast->Address.lpSockaddr;
            if (address == nullptr || address->sa_family != AF_INET)
                continue;
            sockaddr_in ipv4{};
            std::memcpy(&ipv4, address, sizeof ipv4);
            IPv4Address bytes{};
            std::memcpy(bytes.data(), &ipv4.sin_addr, bytes.size());
            listed.addresses.push_back(bytes);
        }
    }
    return found;
}

} // namespace zvk
