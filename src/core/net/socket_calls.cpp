#include "net/socket_calls.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <mutex>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "system/system_reason.h"

namespace zvk {
namespace {

using namespace std::chrono_literals;

// A wait looks at the stop this often, so that a stop ends it promptly.
constexpr std::chrono::milliseconds kStopLookInterval = 50ms;

#ifdef _WIN32
using AddressLength = int;
using IoLength = int;
constexpr int kShutdownSending = SD_SEND;
constexpr int kSendFlags = 0;

// Winsock's reasons as the standard ones, where the system's own table has none of them.
std::error_code WinsockReason(int code)
{
    struct Row
    {
        int code;
        std::errc reason;
    };
    static constexpr Row kRows[] = {
        {WSAEINTR, std::errc::interrupted},
        {WSAEACCES, std::errc::permission_denied},
        {WSAEFAULT, std::errc::bad_address},
        {WSAEINVAL, std::errc::invalid_argument},
        {WSAEMFILE, std::errc::too_many_files_open},
        {WSAEWOULDBLOCK, std::errc::operation_would_block},
        {WSAEINPROGRESS, std::errc::operation_in_progress},
        {WSAEALREADY, std::errc::connection_already_in_progress},
        {WSAENOTSOCK, std::errc::not_a_socket},
        {WSAEMSGSIZE, std::errc::message_size},
        {WSAEAFNOSUPPORT, std::errc::address_family_not_supported},
        {WSAEADDRINUSE, std::errc::address_in_use},
        {WSAEADDRNOTAVAIL, std::errc::address_not_available},
        {WSAENETDOWN, std::errc::network_down},
        {WSAENETUNREACH, std::errc::network_unreachable},
        {WSAENETRESET, std::errc::network_reset},
        {WSAECONNABORTED, std::errc::connection_aborted},
        {WSAECONNRESET, std::errc::connection_reset},
        {WSAENOBUFS, std::errc::no_buffer_space},
        {WSAEISCONN, std::errc::already_connected},
        {WSAENOTCONN, std::errc::not_connected},
        {WSAETIMEDOUT, std::errc::timed_out},
        {WSAECONNREFUSED, std::errc::connection_refused},
        {WSAEHOSTUNREACH, std::errc::host_unreachable},
    };
    for (const Row& row : kRows)
        if (row.code == code)
            return std::make_error_code(row.reason);
    return StandardReason({code, std::system_category()});
}

std::error_code LastSocketError()
{
    return WinsockReason(WSAGetLastError());
}

// Winsock is started once for the process and stays up until it ends.
std::error_code StartWinsock()
{
    static std::once_flag once;
    static int outcome = 0;
    std::call_once(once, [] {
        WSADATA data;
        outcome = WSAStartup(MAKEWORD(2, 2), &data);
    });
    return outcome == 0 ? std::error_code{} : WinsockReason(outcome);
}

void CloseSocket(SocketId id)
{
    closesocket(id);
}

std::error_code MakeNonBlocking(SocketId id)
{
    u_long nonBlocking = 1;
    if (ioctlsocket(id, FIONBIO, &nonBlocking) != 0)
        return LastSocketError();
    return {};
}
#else
using AddressLength = socklen_t;
using IoLength = std::size_t;
constexpr int kShutdownSending = SHUT_WR;
// A peer that has gone is a failure of the send, not a SIGPIPE that ends the program.
constexpr int kSendFlags = MSG_NOSIGNAL;

std::error_code LastSocketError()
{
    return {errno, std::generic_category()};
}

void CloseSocket(SocketId id)
{
    close(id);
}
#endif

sockaddr_in AddressOf(const Endpoint& endpoint)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(endpoint.port);
    std::memcpy(&address.sin_addr, endpoint.address.data(), endpoint.address.size());
    return address;
}

Endpoint EndpointOf(const sockaddr_in& address)
{
    Endpoint endpoint;
    std::memcpy(endpoint.address.data(), &address.sin_addr, endpoint.address.size());
    endpoint.port = ntohs(address.sin_port);
    return endpoint;
}

IoLength IoLengthOf(std::size_t size)
{
    return static_cast<IoLength>(std::min<std::size_t>(size, INT_MAX));
}

bool WouldBlock(std::error_code reason)
{
    return reason == std::errc::operation_would_block ||
           reason == std::errc::resource_unavailable_try_again;
}

// Whether the socket became ready within the time; a failed connection counts as ready,
// and ConnectOutcome then names its reason.
Expected<bool, std::error_code> WaitSlice(SocketId id, Readiness readiness,
                                          std::chrono::milliseconds time)
{
#ifdef _WIN32
    // select, not WSAPoll: WSAPoll of older Windows never reports a refused connection.
    fd_set wanted;
    fd_set failed;
    FD_ZERO(&wanted);
    FD_ZERO(&failed);
    FD_SET(id, &wanted);
    FD_SET(id, &failed);
    timeval timeout{};
    timeout.tv_sec = static_cast<long>(time.count() / 1000);
    timeout.tv_usec = static_cast<long>(time.count() % 1000 * 1000);
    const int ready = readiness == Readiness::Readable
                          ? select(0, &wanted, nullptr, &failed, &timeout)
                          : select(0, nullptr, &wanted, &failed, &timeout);
    if (ready == SOCKET_ERROR)
        return Unexpected(LastSocketError());
    return ready > 0;
#else
    pollfd entry{id, static_cast<short>(readiness == Readiness::Readable ? POLLIN : POLLOUT), 0};
    const int ready = poll(&entry, 1, static_cast<int>(time.count()));
    if (ready == -1) {
        if (errno == EINTR)
            return false;
        return Unexpected(LastSocketError());
    }
    return ready > 0;
#endif
}

std::error_code BindTo(const NativeSocket& socket, const Endpoint& local, SocketKind kind)
{
    if (kind == SocketKind::Stream) {
        const int on = 1;
#ifdef _WIN32
        // Windows' SO_REUSEADDR would let another program bind the same port and take our
        // connections; the exclusive use alone keeps the port ours.
        const int option = SO_EXCLUSIVEADDRUSE;
#else
        // POSIX SO_REUSEADDR takes over connections left in TIME_WAIT only, never a listener.
        const int option = SO_REUSEADDR;
#endif
        if (setsockopt(socket.Id(), SOL_SOCKET, option, reinterpret_cast<const char*>(&on),
                       sizeof on) != 0)
            return LastSocketError();
    }
    const sockaddr_in address = AddressOf(local);
    if (bind(socket.Id(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return LastSocketError();
    return {};
}

Expected<Endpoint, std::error_code> LocalEndpoint(const NativeSocket& socket)
{
    sockaddr_in address{};
    AddressLength length = sizeof address;
    if (getsockname(socket.Id(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return Unexpected(LastSocketError());
    return EndpointOf(address);
}

} // namespace

NativeSocket::NativeSocket(SocketId id) : m_id(id), m_open(true) {}

NativeSocket::~NativeSocket()
{
    Close();
}

NativeSocket::NativeSocket(NativeSocket&& other) noexcept
    : m_id(other.m_id), m_open(std::exchange(other.m_open, false))
{}

NativeSocket& NativeSocket::operator=(NativeSocket&& other) noexcept
{
    if (this != &other) {
        Close();
        m_id = other.m_id;
        m_open = std::exchange(other.m_open, false);
    }
    return *this;
}

SocketId NativeSocket::Id() const
{
    return m_id;
}

void NativeSocket::Close()
{
    if (m_open)
        CloseSocket(m_id);
    m_open = false;
}

Expected<NativeSocket, std::error_code> OpenSocket(SocketKind kind)
{
    const int type = kind == SocketKind::Stream ? SOCK_STREAM : SOCK_DGRAM;
    const int protocol = kind == SocketKind::Stream ? IPPROTO_TCP : IPPROTO_UDP;
#ifdef _WIN32
    if (const std::error_code failure = StartWinsock())
        return Unexpected(failure);
    const SOCKET id = WSASocketW(AF_INET, type, protocol, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (id == INVALID_SOCKET)
        return Unexpected(LastSocketError());
    NativeSocket socket(id);
    if (const std::error_code failure = MakeNonBlocking(id))
        return Unexpected(failure);
    return socket;
#else
    const int id = socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
    if (id == -1)
        return Unexpected(LastSocketError());
    return NativeSocket(id);
#endif
}

Expected<BoundSocket, std::error_code> OpenBound(SocketKind kind, const Endpoint& local)
{
    Expected<NativeSocket, std::error_code> socket = OpenSocket(kind);
    if (!socket)
        return Unexpected(socket.error());
    if (const std::error_code failure = BindTo(*socket, local, kind))
        return Unexpected(failure);
    const Expected<Endpoint, std::error_code> bound = LocalEndpoint(*socket);
    if (!bound)
        return Unexpected(bound.error());
    return BoundSocket{std::move(socket).value(), *bound};
}

std::error_code StartListening(const NativeSocket& socket)
{
    if (listen(socket.Id(), SOMAXCONN) != 0)
        return LastSocketError();
    return {};
}

Expected<AcceptedSocket, std::error_code> AcceptWaiting(const NativeSocket& listener)
{
    sockaddr_in address{};
    AddressLength length = sizeof address;
#ifdef _WIN32
    const SOCKET id = accept(listener.Id(), reinterpret_cast<sockaddr*>(&address), &length);
    if (id == INVALID_SOCKET)
        return Unexpected(LastSocketError());
    NativeSocket accepted(id);
    // Neither is surely taken over from the listener: a program the window starts (the
    // installer) must not keep the handheld's connection open, and no call may block.
    SetHandleInformation(reinterpret_cast<HANDLE>(id), HANDLE_FLAG_INHERIT, 0);
    if (const std::error_code failure = MakeNonBlocking(id))
        return Unexpected(failure);
    return AcceptedSocket{std::move(accepted), EndpointOf(address)};
#else
    const int id = accept4(listener.Id(), reinterpret_cast<sockaddr*>(&address), &length,
                           SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (id == -1)
        return Unexpected(LastSocketError());
    return AcceptedSocket{NativeSocket(id), EndpointOf(address)};
#endif
}

std::error_code StartConnect(const NativeSocket& socket, const Endpoint& peer)
{
    const sockaddr_in address = AddressOf(peer);
    if (connect(socket.Id(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return {};
    const std::error_code failure = LastSocketError();
    // Winsock tells a connection under way as WSAEWOULDBLOCK.
    if (WouldBlock(failure))
        return std::make_error_code(std::errc::operation_in_progress);
    return failure;
}

std::error_code ConnectOutcome(const NativeSocket& socket)
{
    int error = 0;
    AddressLength length = sizeof error;
    if (getsockopt(socket.Id(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) !=
        0)
        return LastSocketError();
    if (error == 0)
        return {};
#ifdef _WIN32
    return WinsockReason(error);
#else
    return {error, std::generic_category()};
#endif
}

Expected<std::size_t, std::error_code> SendSome(const NativeSocket& socket,
                                                std::span<const std::uint8_t> bytes)
{
    const auto sent = send(socket.Id(), reinterpret_cast<const char*>(bytes.data()),
                           IoLengthOf(bytes.size()), kSendFlags);
    if (sent < 0)
        return Unexpected(LastSocketError());
    return static_cast<std::size_t>(sent);
}

Expected<std::size_t, std::error_code> ReceiveSome(const NativeSocket& socket,
                                                   std::span<std::uint8_t> into)
{
    const auto received =
        recv(socket.Id(), reinterpret_cast<char*>(into.data()), IoLengthOf(into.size()), 0);
    if (received < 0)
        return Unexpected(LastSocketError());
    return static_cast<std::size_t>(received);
}

std::error_code SendDatagram(const NativeSocket& socket, const Endpoint& to,
                             std::span<const std::uint8_t> bytes)
{
    const sockaddr_in address = AddressOf(to);
    const auto sent =
        sendto(socket.Id(), reinterpret_cast<const char*>(bytes.data()), IoLengthOf(bytes.size()),
               kSendFlags, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    if (sent < 0)
        return LastSocketError();
    return {};
}

Expected<ReceivedDatagram, std::error_code> ReceiveDatagram(const NativeSocket& socket,
                                                            std::span<std::uint8_t> into)
{
    sockaddr_in address{};
    AddressLength length = sizeof address;
    const auto received =
        recvfrom(socket.Id(), reinterpret_cast<char*>(into.data()), IoLengthOf(into.size()), 0,
                 reinterpret_cast<sockaddr*>(&address), &length);
    if (received < 0)
        return Unexpected(LastSocketError());
    return ReceivedDatagram{static_cast<std::size_t>(received), EndpointOf(address)};
}

void ShutdownSending(const NativeSocket& socket)
{
    // A peer that is gone has nothing left to tell: the failure, if any, is not ours to name.
    (void)shutdown(socket.Id(), kShutdownSending);
}

std::error_code WaitFor(const NativeSocket& socket, Readiness readiness, Deadline deadline,
                        std::stop_token stop)
{
    for (;;) {
        if (stop.stop_requested())
            return std::make_error_code(std::errc::operation_canceled);
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= std::chrono::milliseconds::zero())
            return std::make_error_code(std::errc::timed_out);
        const Expected<bool, std::error_code> ready =
            WaitSlice(socket.Id(), readiness, std::min(left, kStopLookInterval));
        if (!ready)
            return ready.error();
        if (*ready)
            return {};
    }
}

std::error_code AwaitReady(const NativeSocket& socket, std::error_code failure, Readiness readiness,
                           Deadline deadline, std::stop_token stop)
{
    if (!WouldBlock(failure))
        return failure;
    return WaitFor(socket, readiness, deadline, stop);
}

} // namespace zvk
