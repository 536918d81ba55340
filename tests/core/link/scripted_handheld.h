#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "link/wire_remote_api.h"
#include "net/named_link.h"
#include "net/tcp_connection.h"
#include "net/udp_socket.h"
#include "wire/device_info.h"

namespace zvk::test {

// A handheld on loopback whose replies the test writes, as frames, before or after the
// desktop's call, and whose end of the session the test reads the requests from.
struct ScriptedHandheld
{
    std::unique_ptr<WireRemoteApi> desktop;
    TcpConnection handheld;

    // Its reply payloads, each as one frame.
    void Answer(std::string_view payload);
    // The next request's payload the desktop sent.
    std::string Request();
    // True when the desktop sent nothing more and then closed the session.
    bool SentNothingMoreBeforeClosing();
};

// A handheld on loopback before its sessions, played as the test scripts it on a thread of
// its own: it waits for the desktop's trigger on a UDP port of its own, connects to the
// desktop's port, answers on its control connection and connects back for sessions. What
// the desktop sent it is kept, in order, in `heard`; a failure of its own is kept there too,
// in brackets, so that the test sees where the exchange went astray.
class TriggeredHandheld
{
public:
    // The desktop is to listen on a free port of `desktop`, an address of this computer.
    explicit TriggeredHandheld(const IPv4Address& desktop);

    const NamedLink& Link() const;
    void AwaitTrigger();
    TcpConnection Connect();
    // Once triggered, connects, says hello and greets as a handheld does, hearing the
    // desktop's answers, then sends `info`, which the desktop does not answer: the control
    // connection.
    TcpConnection ConnectWhenTriggered(const wire::DeviceInfo& info);
    // Connects back for the session of request `id`, sends the id and then `first`, the
    // first bytes the desktop's session reads.
    TcpConnection ConnectBack(std::uint32_t id, std::string_view first);

    void Hear(TcpConnection& connection, std::size_t size);
    void Say(TcpConnection& connection, std::string_view bytes);

    std::string heard;

private:
    UdpSocket m_trigger;
    NamedLink m_link;
};

// True when the peer sent nothing more on `connection` and then closed it.
bool ClosedWithNothingMore(TcpConnection& connection);

// The desktop in a session with a scripted handheld, its captures kept under `cacheFolder`.
ScriptedHandheld InSession(const std::filesystem::path& cacheFolder,
                           std::chrono::milliseconds replyLimit = std::chrono::seconds(10));

// A desktop whose handheld never connects back: its CeRapiInit waits.
std::unique_ptr<WireRemoteApi> WithASilentHandheld();

} // namespace zvk::test
