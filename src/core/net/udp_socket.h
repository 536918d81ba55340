#pragma once

#include <cstdint>
#include <span>
#include <stop_token>
#include <vector>

#include "net/deadline.h"
#include "net/endpoint.h"
#include "net/socket_calls.h"
#include "system/result.h"

namespace zvk {

// A datagram and who sent it.
struct Datagram
{
    std::vector<std::uint8_t> bytes;
    Endpoint sender;
};

// A UDP socket bound to one address and port, for the trigger that asks the handheld to
// connect: the desktop sends it, the handheld (or its emulator) receives it. Its socket's
// only owner.
class UdpSocket
{
public:
    static Result<UdpSocket> Bind(const Endpoint& local);

    UdpSocket(UdpSocket&&) noexcept = default;
    UdpSocket& operator=(UdpSocket&&) noexcept = default;

    const Endpoint& Local() const;

    Result<> SendTo(const Endpoint& to, std::span<const std::uint8_t> bytes);
    // The next datagram; one longer than the largest a link carries is cut to that.
    Result<Datagram> Receive(Deadline deadline, std::stop_token stop);

private:
    explicit UdpSocket(BoundSocket bound);

    BoundSocket m_bound;
};

} // namespace zvk
