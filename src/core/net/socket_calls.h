#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stop_token>
#include <system_error>

#include "net/deadline.h"
#include "net/endpoint.h"
#include "system/result.h"

namespace zvk {

// The system's sockets (POSIX or Winsock 2) behind one set of calls, for the listeners,
// connections and datagram sockets above them. Every socket is non-blocking: a wait is
// always WaitFor's, with a deadline and a stop. Failures are standard reasons.

#ifdef _WIN32
using SocketId = std::uintptr_t;
#else
using SocketId = int;
#endif

// The owner of one socket, closed when the owner goes.
class NativeSocket
{
public:
    NativeSocket() = default;
    explicit NativeSocket(SocketId id);
    ~NativeSocket();
    NativeSocket(NativeSocket&& other) noexcept;
    NativeSocket& operator=(NativeSocket&& other) noexcept;
    NativeSocket(const NativeSocket&) = delete;
    NativeSocket& operator=(const NativeSocket&) = delete;

    SocketId Id() const;

private:
    void Close();

    SocketId m_id;
    bool m_open = false;
};

enum class SocketKind
{
    Stream,
    Datagram
};

enum class Readiness
{
    Readable,
    Writable
};

// A new non-blocking socket of the kind, not inherited by child processes.
Expected<NativeSocket, std::error_code> OpenSocket(SocketKind kind);

// A socket bound to one address and port of this computer, and that address and port: the
// one the system chose where port 0 was asked for.
struct BoundSocket
{
    NativeSocket socket;
    Endpoint local;
};
// A new socket bound to the one address and port; a stream's address is taken again at
// once after the program ended, where the system allows that without letting another
// program take it from us.
Expected<BoundSocket, std::error_code> OpenBound(SocketKind kind, const Endpoint& local);
std::error_code StartListening(const NativeSocket& socket);

struct AcceptedSocket
{
    NativeSocket socket;
    Endpoint peer;
};
// A connection waiting on the listener, or operation_would_block when there is none.
Expected<AcceptedSocket, std::error_code> AcceptWaiting(const NativeSocket& listener);

// Begins a connection: success or operation_in_progress, whose outcome ConnectOutcome
// gives once the socket is writable.
std::error_code StartConnect(const NativeSocket& socket, const Endpoint& peer);
std::error_code ConnectOutcome(const NativeSocket& socket);

// What one call moved, or operation_would_block; a receive of 0 bytes on a stream is
// the peer's end of its sending.
Expected<std::size_t, std::error_code> SendSome(const NativeSocket& socket,
                                                std::span<const std::uint8_t> bytes);
Expected<std::size_t, std::error_code> ReceiveSome(const NativeSocket& socket,
                                                   std::span<std::uint8_t> into);
std::error_code SendDatagram(const NativeSocket& socket, const Endpoint& to,
                             std::span<const std::uint8_t> bytes);
struct ReceivedDatagram
{
    std::size_t size = 0;
    Endpoint sender;
};
Expected<ReceivedDatagram, std::error_code> ReceiveDatagram(const NativeSocket& socket,
                                                            std::span<std::uint8_t> into);

void ShutdownSending(const NativeSocket& socket);

// Waits until the socket is ready; timed_out past the deadline, operation_canceled when
// the stop is requested.
std::error_code WaitFor(const NativeSocket& socket, Readiness readiness, Deadline deadline,
                        std::stop_token stop);
// After a call failed for `failure`: where it would have blocked, waits as WaitFor does
// and gives no failure, so that the call is made again; any other failure stands.
std::error_code AwaitReady(const NativeSocket& socket, std::error_code failure, Readiness readiness,
                           Deadline deadline, std::stop_token stop);

} // namespace zvk
