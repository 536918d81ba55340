#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk {

// An IPv4 address, its four bytes in the order they are written ("169.254.2.1").
using IPv4Address = std::array<std::uint8_t, 4>;

// An IPv4 address and a port, as the handheld's network link names both ends
// ("169.254.2.1:990"). Port 0 asks the system for a free one.
struct Endpoint
{
    IPv4Address address{};
    std::uint16_t port = 0;

    bool operator==(const Endpoint&) const = default;
};

// "a.b.c.d:port" in decimal, each part in its range, nothing before or after.
Result<Endpoint> ParseEndpoint(std::string_view text);

// The endpoint as ParseEndpoint reads it.
std::string EndpointText(const Endpoint& endpoint);

} // namespace zvk
