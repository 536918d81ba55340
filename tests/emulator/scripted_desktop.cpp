#include "scripted_desktop.h"

#include <utility>
#include <vector>

#include "link/frame_io.h"
#include "net/udp_socket.h"
#include "wire/control_words.h"

namespace zvk::test {
namespace {

constexpr std::chrono::seconds kStep{10};

// The handheld's word, which must be `expected`.
Result<> Expect(TcpConnection& control, std::uint32_t expected)
{
    const Result<std::uint32_t> word = ReadWord(control, Within(kStep), {});
    if (!word)
        return Unexpected(word.error());
    if (*word != expected)
        return Fail("the device sent " + std::to_string(*word) + ", not " +
                    std::to_string(expected));
    return {};
}

} // namespace

Deadline Within(std::chrono::milliseconds time)
{
    return std::chrono::steady_clock::now() + time;
}

IPv4Address DeviceAddress()
{
    if (UdpSocket::Bind(Endpoint{{127, 0, 0, 2}, 0}))
        return {127, 0, 0, 2};
    return {127, 0, 0, 1};
}

Result<ScriptedDesktop> ScriptedDesktop::Listen(const IPv4Address& address)
{
    Result<TcpListener> listener = TcpListener::Listen(Endpoint{address, 0});
    if (!listener)
        return Unexpected(std::move(listener).error());
    return ScriptedDesktop(std::move(listener).value());
}

ScriptedDesktop::ScriptedDesktop(TcpListener listener) : m_listener(std::move(listener)) {}

std::uint16_t ScriptedDesktop::Port() const
{
    return m_listener.Local().port;
}

Result<> ScriptedDesktop::Trigger(const Endpoint& device)
{
    Result<UdpSocket> socket = UdpSocket::Bind(Endpoint{kDesktopAddress, 0});
    if (!socket)
        return Unexpected(std::move(socket).error());
    const std::vector<std::uint8_t> trigger{0x7F};
    return socket->SendTo(device, trigger);
}

Result<TcpConnection> ScriptedDesktop::Accept(std::chrono::milliseconds within)
{
    return m_listener.Accept(Within(within), {});
}

Result<wire::DeviceInfo> ScriptedDesktop::Handshake(TcpConnection& control)
{
    Result<> step = Expect(control, 0);
    if (step)
        step = WriteBytes(control, wire::EncodeWords({3}), Within(kStep), {});
    if (step)
        step = Expect(control, 6);
    if (step)
        step = WriteBytes(control, wire::EncodeWords({7, 8, 4, 5}), Within(kStep), {});
    if (step)
        step = Expect(control, 4);
    if (!step)
        return Unexpected(std::move(step).error());
    const Result<std::uint32_t> length = ReadWord(control, Within(kStep), {});
    if (!length)
        return Unexpected(length.error());
    const Result<std::string> block = ReadBytes(control, *length, Within(kStep), {});
    if (!block)
        return Unexpected(block.error());
    return wire::DecodeDeviceInfo(*block);
}

Result<TcpConnection> ScriptedDesktop::OpenSession(TcpConnection& control, std::uint32_t id,
                                                   std::chrono::milliseconds within)
{
    const Result<> asked = WriteBytes(control, wire::EncodeSessionRequest(id), Within(kStep), {});
    if (!asked)
        return Unexpected(asked.error());
    return AcceptSession(id, within);
}

Result<TcpConnection> ScriptedDesktop::AcceptSession(std::uint32_t id,
                                                     std::chrono::milliseconds within)
{
    Result<TcpConnection> session = Accept(within);
    if (!session)
        return session;
    const Result<std::string> sentId = ReadBytes(*session, wire::kWordBytes, Within(kStep), {});
    if (!sentId)
        return Unexpected(sentId.error());
    if (*sentId != wire::EncodeConnectBack(id))
        return Fail("the session came back with another id");
    return session;
}

Result<std::string> CallRaw(TcpConnection& session, const std::string& request,
                            std::chrono::milliseconds within)
{
    const Result<> sent = WriteFrame(session, request, Within(within), {});
    if (!sent)
        return Unexpected(sent.error());
    return ReadFrame(session, Within(within), {});
}

} // namespace zvk::test
