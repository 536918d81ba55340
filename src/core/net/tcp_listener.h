#pragma once

#include <stop_token>

#include "net/deadline.h"
#include "net/endpoint.h"
#include "net/socket_calls.h"
#include "net/tcp_connection.h"
#include "system/result.h"

namespace zvk {

// Listens for TCP connections on one address and port of this computer, never on all of
// them: the handheld's link has no authentication, so nothing on another network may
// reach it. Its socket's only owner.
class TcpListener
{
public:
    static Result<TcpListener> Listen(const Endpoint& local);

    TcpListener(TcpListener&&) noexcept = default;
    TcpListener& operator=(TcpListener&&) noexcept = default;

    // The address and port listened on: the port the system chose when 0 was asked for.
    const Endpoint& Local() const;

    Result<TcpConnection> Accept(Deadline deadline, std::stop_token stop);

private:
    explicit TcpListener(BoundSocket bound);

    BoundSocket m_bound;
};

} // namespace zvk
