#include "scripted_handheld.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "core/net/loopback.h"
#include "link/frame_io.h"
#include "link/session_source.h"
#include "net/tcp_listener.h"
#include "support/succeeded.h"
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
    std::uint8_t byte = 0;
    const Result<> read = handheld.ReadExactly({&byte, 1}, Generous(), {});
    return !read &&
           read.error().detail.find("closed the connection after 0 of 1") != std::string::npos;
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
