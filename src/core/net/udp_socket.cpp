#include "net/udp_socket.h"

#include <string>
#include <utility>

#include "net/socket_failure.h"

namespace zvk {
namespace {

// The most a datagram carries over IPv4.
constexpr std::size_t kLargestDatagram = 65507;

} // namespace

Result<UdpSocket> UdpSocket::Bind(const Endpoint& local)
{
    Expected<BoundSocket, std::error_code> bound = OpenBound(SocketKind::Datagram, local);
    if (!bound)
        return SocketFailure("cannot bind " + EndpointText(local), bound.error());
    return UdpSocket(std::move(bound).value());
}

UdpSocket::UdpSocket(BoundSocket bound) : m_bound(std::move(bound)) {}

const Endpoint& UdpSocket::Local() const
{
    return m_bound.local;
}

Result<> UdpSocket::SendTo(const Endpoint& to, std::span<const std::uint8_t> bytes)
{
    if (const std::error_code failure = SendDatagram(m_bound.socket, to, bytes))
        return SocketFailure("cannot send to " + EndpointText(to), failure);
    return {};
}

Result<Datagram> UdpSocket::Receive(Deadline deadline, std::stop_token stop)
{
    std::vector<std::uint8_t> bytes(kLargestDatagram);
    for (;;) {
        const Expected<ReceivedDatagram, std::error_code> received =
            ReceiveDatagram(m_bound.socket, bytes);
        if (received) {
            bytes.resize(received->size);
            return Datagram{std::move(bytes), received->sender};
        }
        std::error_code failure = received.error();
        // Winsock reports an earlier datagram's port-unreachable answer on the next receive;
        // it says nothing of what is still to come.
        if (failure == std::errc::connection_reset)
            failure = std::make_error_code(std::errc::operation_would_block);
        failure = AwaitReady(m_bound.socket, failure, Readiness::Readable, deadline, stop);
        if (failure)
            return SocketFailure("nothing received on " + EndpointText(m_bound.local), failure);
    }
}

} // namespace zvk
