#include "scripted_handheld.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "core/net/loopback.h"
#include "link/frame_io.h"
#include "link/session_source.h"
#include "net/tcp_listener.h"
#include "support/free_port.h"
#include "support/succeeded.h"
#include "wire/control_words.h"
#include "wire/rapi_frame.h"

namespace zvk::test {
namespace {

// Hands out the connections made to its listener, as the handheld's connect-backs.
class ListenerSource final : public SessionSource
{
public:
    explicit ListenerSource(TcpListener listener) : m_listener(std::move(listener)) {}

    Result<TcpConnection> OpenSession(std::stop_token stop) override
    {
        return m_listener.Accept(Generous(), stop);
    }

private:
    TcpListener m_listener;
};

TcpListener Listening()
{
    Result<TcpListener> listener = TcpListener::Listen(kLoopbackAnyPort);
    EXPECT_TRUE(Succeeded(listener));
    return std::move(listener).value();
}

} // namespace

void ScriptedHandheld::Answer(std::string_view payload)
{
    ASSERT_TRUE(Succeeded(WriteFrame(handheld, payload, Generous(), {})));
}

std::string ScriptedHandheld::Request()
{
    Result<std::string> payload = ReadFrame(handheld, Generous(), {});
    EXPECT_TRUE(Succeeded(payload));
    return payload ? *payload : std::string();
}

bool ScriptedHandheld::SentNothingMoreBeforeClosing()
{
    return ClosedWithNothingMore(handheld);
}

bool ClosedWithNothingMore(TcpConnection& connection)
{
    std::uint8_t byte = 0;
    const Result<> read = connection.ReadExactly({&byte, 1}, Generous(), {});
    return !read &&
           read.error().detail.find("closed the connection after 0 of 1") != std::string::npos;
}

namespace {

UdpSocket TriggerPort()
{
    Result<UdpSocket> trigger = UdpSocket::Bind(kLoopbackAnyPort);
    EXPECT_TRUE(Succeeded(trigger));
    return std::move(trigger).value();
}

} // namespace

TriggeredHandheld::TriggeredHandheld(const IPv4Address& desktop)
    : m_trigger(TriggerPort()), m_link{FreePort(desktop), m_trigger.Local()}
{}

const NamedLink& TriggeredHandheld::Link() const
{
    return m_link;
}

void TriggeredHandheld::AwaitTrigger()
{
    Result<Datagram> trigger = m_trigger.Receive(Generous(), {});
    if (trigger)
        heard.append(trigger->bytes.begin(), trigger->bytes.end());
    else
        heard += "[" + trigger.error().detail + "]";
}

TcpConnection TriggeredHandheld::Connect()
{
    Result<TcpConnection> connection = TcpConnection::Connect(m_link.desktop, Generous(), {});
    EXPECT_TRUE(Succeeded(connection));
    return std::move(connection).value();
}

TcpConnection TriggeredHandheld::ConnectWhenTriggered(const wire::DeviceInfo& info)
{
    AwaitTrigger();
    TcpConnection control = Connect();
    Say(control, wire::EncodeWords({wire::kHandheldHello}));
    Hear(control, wire::kWordBytes);
    Say(control, wire::EncodeWords({wire::kHandheldGreeting}));
    Hear(control, 4 * wire::kWordBytes);
    Say(control, wire::EncodeInfoMessage(info));
    return control;
}

TcpConnection TriggeredHandheld::ConnectBack(std::uint32_t id, std::string_view first)
{
    TcpConnection session = Connect();
    Say(session, wire::EncodeConnectBack(id) + std::string(first));
    return session;
}

void TriggeredHandheld::Hear(TcpConnection& connection, std::size_t size)
{
    Result<std::string> bytes = ReadBytes(connection, size, Generous(), {});
    heard += bytes ? *bytes : "[" + bytes.error().detail + "]";
}

void TriggeredHandheld::Say(TcpConnection& connection, std::string_view bytes)
{
    if (Result<> said = WriteBytes(connection, bytes, Generous(), {}); !said)
        heard += "[" + said.error().detail + "]";
}

ScriptedHandheld InSession(const std::filesystem::path& cacheFolder,
                           std::chrono::milliseconds replyLimit)
{
    TcpListener listener = Listening();
    Result<TcpConnection> handheld = TcpConnection::Connect(listener.Local(), Generous(), {});
    EXPECT_TRUE(Succeeded(handheld));
    auto desktop = std::make_unique<WireRemoteApi>(
        std::make_unique<ListenerSource>(std::move(listener)), cacheFolder, replyLimit);
    EXPECT_EQ(desktop->CeRapiInit(), kS_OK);
    return {std::move(desktop), std::move(handheld).value()};
}

std::unique_ptr<WireRemoteApi> WithASilentHandheld()
{
    return std::make_unique<WireRemoteApi>(std::make_unique<ListenerSource>(Listening()),
                                           std::filesystem::path());
}

} // namespace zvk::test
