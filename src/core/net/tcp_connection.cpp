#include "net/tcp_connection.h"

#include <string>
#include <utility>

#include "net/socket_failure.h"

namespace zvk {

Result<TcpConnection> TcpConnection::Connect(const Endpoint& peer, Deadline deadline,
                                             std::stop_token stop)
{
    return Establish(OpenSocket(SocketKind::Stream), peer, deadline, stop);
}

Result<TcpConnection> TcpConnection::ConnectFrom(const IPv4Address& local, const Endpoint& peer,
                                                 Deadline deadline, std::stop_token stop)
{
    Expected<BoundSocket, std::error_code> bound =
        OpenBound(SocketKind::Stream, Endpoint{local, 0});
    if (!bound)
        return Establish(Unexpected(bound.error()), peer, deadline, stop);
    return Establish(std::move(bound->socket), peer, deadline, stop);
}

Result<TcpConnection> TcpConnection::Establish(Expected<NativeSocket, std::error_code> socket,
                                               const Endpoint& peer, Deadline deadline,
                                               std::stop_token stop)
{
    const std::string what = "cannot connect to " + EndpointText(peer);
    if (!socket)
        return SocketFailure(what, socket.error());
    std::error_code failure = StartConnect(*socket, peer);
    if (failure == std::errc::operation_in_progress) {
        failure = WaitFor(*socket, Readiness::Writable, deadline, stop);
        if (!failure)
            failure = ConnectOutcome(*socket);
    }
    if (failure)
        return SocketFailure(what, failure);
    return TcpConnection(std::move(socket).value(), peer);
}

TcpConnection::TcpConnection(NativeSocket socket, const Endpoint& peer)
    : m_socket(std::move(socket)), m_peer(peer)
{}

const Endpoint& TcpConnection::Peer() const
{
    return m_peer;
}

Result<> TcpConnection::ReadExactly(std::span<std::uint8_t> into, Deadline deadline,
                                    std::stop_token stop)
{
    std::size_t done = 0;
    while (done < into.size()) {
        const Expected<std::size_t, std::error_code> received =
            ReceiveSome(m_socket, into.subspan(done));
        if (received && *received == 0)
            return Fail(EndpointText(m_peer) + " closed the connection after " +
                        std::to_string(done) + " of " + std::to_string(into.size()) + " bytes");
        if (received)
            done += *received;
        else if (const std::error_code failure =
                     AwaitReady(m_socket, received.error(), Readiness::Readable, deadline, stop))
            return SocketFailure("cannot read from " + EndpointText(m_peer), failure);
    }
    return {};
}

Result<> TcpConnection::WriteAll(std::span<const std::uint8_t> bytes, Deadline deadline,
                                 std::stop_token stop)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const Expected<std::size_t, std::error_code> sent = SendSome(m_socket, bytes.subspan(done));
        if (sent)
            done += *sent;
        else if (const std::error_code failure =
                     AwaitReady(m_socket, sent.error(), Readiness::Writable, deadline, stop))
            return SocketFailure("cannot write to " + EndpointText(m_peer), failure);
    }
    return {};
}

void TcpConnection::ShutdownSending()
{
    zvk::ShutdownSending(m_socket);
}

} // namespace zvk
