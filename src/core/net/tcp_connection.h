#pragma once

#include <cstdint>
#include <span>
#include <stop_token>

#include "net/deadline.h"
#include "net/endpoint.h"
#include "net/socket_calls.h"
#include "system/result.h"

namespace zvk {

// One TCP connection to one peer, its only owner. Every wait ends at its deadline or when
// the stop is requested, each a failure.
class TcpConnection
{
public:
    static Result<TcpConnection> Connect(const Endpoint& peer, Deadline deadline,
                                         std::stop_token stop);
    // The same, leaving from one address of this computer, as a handheld with an address
    // of its own connects: a desktop may check that its peer is the handheld it triggered.
    static Result<TcpConnection> ConnectFrom(const IPv4Address& local, const Endpoint& peer,
                                             Deadline deadline, std::stop_token stop);
    // A connection a listener accepted.
    TcpConnection(NativeSocket socket, const Endpoint& peer);

    TcpConnection(TcpConnection&&) noexcept = default;
    TcpConnection& operator=(TcpConnection&&) noexcept = default;

    const Endpoint& Peer() const;

    // Exactly as many bytes as `into` holds: a peer that ends its sending before is a failure
    // that says how many came.
    Result<> ReadExactly(std::span<std::uint8_t> into, Deadline deadline, std::stop_token stop);
    Result<> WriteAll(std::span<const std::uint8_t> bytes, Deadline deadline, std::stop_token stop);
    // Tells the peer that nothing more will come; what it still sends can be read.
    void ShutdownSending();

private:
    static Result<TcpConnection> Establish(Expected<NativeSocket, std::error_code> socket,
                                           const Endpoint& peer, Deadline deadline,
                                           std::stop_token stop);

    NativeSocket m_socket;
    Endpoint m_peer;
};

} // namespace zvk
