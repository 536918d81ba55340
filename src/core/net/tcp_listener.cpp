#include "net/tcp_listener.h"

#include <string>
#include <utility>

#include "net/socket_failure.h"

namespace zvk {

Result<TcpListener> TcpListener::Listen(const Endpoint& local)
{
    const std::string what = "cannot listen on " + EndpointText(local);
    Expected<NativeSocket, std::error_code> socket = OpenSocket(SocketKind::Stream);
    if (!socket)
        return SocketFailure(what, socket.error());
    std::error_code failure = BindTo(*socket, local, SocketKind::Stream);
    if (!failure)
        failure = StartListening(*socket);
    if (failure)
        return SocketFailure(what, failure);
    const Expected<Endpoint, std::error_code> bound = LocalEndpoint(*socket);
    if (!bound)
        return SocketFailure(what, bound.error());
    return TcpListener(std::move(socket).value(), *bound);
}

TcpListener::TcpListener(NativeSocket socket, const Endpoint& local)
    : m_socket(std::move(socket)), m_local(local)
{}

const Endpoint& TcpListener::Local() const
{
    return m_local;
}

Result<TcpConnection> TcpListener::Accept(Deadline deadline, std::stop_token stop)
{
    for (;;) {
        Expected<AcceptedSocket, std::error_code> accepted = AcceptWaiting(m_socket);
        if (accepted)
            return TcpConnection(std::move(accepted->socket), accepted->peer);
        std::error_code failure = accepted.error();
        // A connection that was reset before it was taken is gone; wait for the next one.
        if (WouldBlock(failure) || failure == std::errc::connection_aborted)
            failure = WaitFor(m_socket, Readiness::Readable, deadline, stop);
        if (failure)
            return SocketFailure("no connection on " + EndpointText(m_local), failure);
    }
}

} // namespace zvk
