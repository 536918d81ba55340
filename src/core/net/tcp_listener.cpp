#include "net/tcp_listener.h"

#include <string>
#include <utility>

#include "net/socket_failure.h"

namespace zvk {

Result<TcpListener> TcpListener::Listen(const Endpoint& local)
{
    const std::string what = "cannot listen on " + EndpointText(local);
    Expected<BoundSocket, std::error_code> bound = OpenBound(SocketKind::Stream, local);
    if (!bound)
        return SocketFailure(what, bound.error());
    if (const std::error_code failure = StartListening(bound->socket))
        return SocketFailure(what, failure);
    return TcpListener(std::move(bound).value());
}

TcpListener::TcpListener(BoundSocket bound) : m_bound(std::move(bound)) {}

const Endpoint& TcpListener::Local() const
{
    return m_bound.local;
}

Result<TcpConnection> TcpListener::Accept(Deadline deadline, std::stop_token stop)
{
    for (;;) {
        Expected<AcceptedSocket, std::error_code> accepted = AcceptWaiting(m_bound.socket);
        if (accepted)
            return TcpConnection(std::move(accepted->socket), accepted->peer);
        std::error_code failure = accepted.error();
        // A connection that was reset before it was taken is gone; wait for the next one.
        if (failure == std::errc::connection_aborted)
            failure = std::make_error_code(std::errc::operation_would_block);
        failure = AwaitReady(m_bound.socket, failure, Readiness::Readable, deadline, stop);
        if (failure)
            return SocketFailure("no connection on " + EndpointText(m_bound.local), failure);
    }
}

} // namespace zvk
