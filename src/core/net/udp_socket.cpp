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
    const std::string what = "cannot bind " + EndpointText(local);
    Expected<NativeSocket, std::error_code> socket = OpenSocket(SocketKind::Datagram);
    if (!socket)
        return SocketFailure(what, socket.error());
    if (const std::error_code failure = BindTo(*socket, local, SocketKind::Datagram))
        return SocketFailure(what, failure);
    const Expected<Endpoint, std::error_code> bound = LocalEndpoint(*socket);
    if (!bound)
        return SocketFailure(what, bound.error());
    return UdpSocket(std::move(socket).value(), *bound);
}

UdpSocket::UdpSocket(NativeSocket socket, const Endpoint& local)
    : m_socket(std::move(socket)), m_local(local)
{}

const Endpoint& UdpSocket::Local() const
{
    return m_local;
}

Result<> UdpSocket::SendTo(const Endpoint& to, std::span<const std::uint8_t> bytes)
{
    if (const std::error_code failure = SendDatagram(m_socket, to, bytes))
        return SocketFailure("cannot send to " + EndpointText(to), failure);
    return {};
}

Result<Datagram> UdpSocket::Receive(Deadline deadline, std::stop_token stop)
{
    std::vector<std::uint8_t> bytes(kLargestDatagram);
    for (;;) {
        const Expected<ReceivedDatagram, std::error_code> received =
            ReceiveDatagram(m_socket, bytes);
        if (received) {
            bytes.resize(received->size);
            return Datagram{std::move(bytes), received->sender};
        }
        std::error_code failure = received.error();
        // Winsock reports an earlier datagram's port-unreachable answer on the next receive;
        // it says nothing of what is still to come.
        if (WouldBlock(failure) || failure == std::errc::connection_reset)
            failure = WaitFor(m_socket, Readiness::Readable, deadline, stop);
        if (failure)
            return SocketFailure("nothing received on " + EndpointText(m_local), failure);
    }
}

} // namespace zvk
