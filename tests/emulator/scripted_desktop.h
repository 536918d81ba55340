#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "net/endpoint.h"
#include "net/tcp_connection.h"
#include "net/tcp_listener.h"
#include "system/result.h"
#include "wire/device_info.h"
#include "wire/message_fields.h"

namespace zvk::test {

inline constexpr IPv4Address kDesktopAddress{127, 0, 0, 1};

// The deadline `time` from now.
Deadline Within(std::chrono::milliseconds time);

// The device's address in the tests: 127.0.0.2 where the system routes all of 127/8 to
// itself, so that the device is seen to keep to its own address; else 127.0.0.1.
IPv4Address DeviceAddress();

// A desktop scripted from the wire's words, step by step as the handheld's link runs:
// it listens on the desktop's address, triggers the device and drives it. Each step is a
// failure when the device does not do what it must, within the time given.
class ScriptedDesktop
{
public:
    static Result<ScriptedDesktop> Listen(const IPv4Address& address = kDesktopAddress);

    std::uint16_t Port() const;
    // The trigger, sent from the desktop's address.
    Result<> Trigger(const Endpoint& device);
    Result<TcpConnection> Accept(std::chrono::milliseconds within);
    // Answers the hello and the greeting with the protocol's words and reads the info.
    static Result<wire::DeviceInfo> Handshake(TcpConnection& control);
    // Asks for session `id` and takes the connection back, its id read.
    Result<TcpConnection> OpenSession(TcpConnection& control, std::uint32_t id,
                                      std::chrono::milliseconds within);
    // Takes a session's connection back, its id read.
    Result<TcpConnection> AcceptSession(std::uint32_t id, std::chrono::milliseconds within);

private:
    explicit ScriptedDesktop(TcpListener listener);

    TcpListener m_listener;
};

// One call: the request payload as a frame, the reply's payload read within `within`.
Result<std::string> CallRaw(TcpConnection& session, const std::string& request,
                            std::chrono::milliseconds within = std::chrono::seconds(10));

// One call, its reply decoded with `context` (a search's flags, the call a BoolReply
// answers).
template <class Reply, class Request, class... Context>
Result<Reply> Call(TcpConnection& session, Request request, const Context&... context)
{
    const Result<std::string> reply = CallRaw(session, wire::Encode(std::move(request)));
    if (!reply)
        return Unexpected(reply.error());
    return wire::Decode<Reply>(*reply, context...);
}

} // namespace zvk::test
