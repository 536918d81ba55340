#include <chrono>
#include <stop_token>
#include <thread>

#include <gtest/gtest.h>

#include "loopback.h"
#include "net/tcp_connection.h"
#include "net/tcp_listener.h"
#include "net/udp_socket.h"
#include "support/succeeded.h"

namespace zvk {
namespace {

using namespace std::chrono_literals;

// A listener on loopback and both ends of one connection to it.
struct Loopback
{
    TcpListener listener;
    TcpConnection desktop;
    TcpConnection handheld;
};

Loopback Connected()
{
    Result<TcpListener> listener = TcpListener::Listen(test::kLoopbackAnyPort);
    EXPECT_TRUE(test::Succeeded(listener));
    Result<TcpConnection> handheld =
        TcpConnection::Connect(listener->Local(), test::Generous(), {});
    EXPECT_TRUE(test::Succeeded(handheld));
    Result<TcpConnection> desktop = listener->Accept(test::Generous(), {});
    EXPECT_TRUE(test::Succeeded(desktop));
    return {std::move(*listener), std::move(*desktop), std::move(*handheld)};
}

std::string ReadText(TcpConnection& connection, std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    EXPECT_TRUE(test::Succeeded(connection.ReadExactly(bytes, test::Generous(), {})));
    return {bytes.begin(), bytes.end()};
}

TEST(TcpTest, BytesGoBothWaysBetweenPeersThatKnowEachOther)
{
    Loopback loop = Connected();
    EXPECT_NE(loop.listener.Local().port, 0);
    EXPECT_EQ(loop.handheld.Peer(), loop.listener.Local());
    EXPECT_EQ(loop.desktop.Peer().address, test::kLoopbackAnyPort.address);

    // An owner moved away leaves nothing behind that closes the socket it gave up.
    TcpConnection desktop = std::move(loop.desktop);
    {
        TcpConnection emptied = std::move(loop.handheld);
        loop.handheld = std::move(emptied);
    }
    const std::vector<std::uint8_t> word{0x05, 0x00, 0x00, 0xFF};
    ASSERT_TRUE(test::Succeeded(loop.handheld.WriteAll(word, test::Generous(), {})));
    EXPECT_EQ(ReadText(desktop, 4), std::string("\x05\x00\x00\xFF", 4));
    ASSERT_TRUE(test::Succeeded(desktop.WriteAll(test::BytesOf("reply"), test::Generous(), {})));
    EXPECT_EQ(ReadText(loop.handheld, 5), "reply");
}

TEST(TcpTest, ReadExactlyGathersManySmallWritesAndLeavesTheRest)
{
    Loopback loop = Connected();
    std::string sent;
    for (int i = 0; i < 200; ++i)
        sent += static_cast<char>('a' + i % 26);
    std::jthread writer([&] {
        for (char c : sent + "!")
            ASSERT_TRUE(test::Succeeded(
                loop.handheld.WriteAll(test::BytesOf(std::string(1, c)), test::Generous(), {})));
    });
    EXPECT_EQ(ReadText(loop.desktop, sent.size()), sent);
    EXPECT_EQ(ReadText(loop.desktop, 1), "!");
}

TEST(TcpTest, APeerThatEndsEarlyIsAShortReadNamingItAndTheCount)
{
    Loopback loop = Connected();
    ASSERT_TRUE(
        test::Succeeded(loop.handheld.WriteAll(test::BytesOf("abc"), test::Generous(), {})));
    loop.handheld.ShutdownSending();
    std::vector<std::uint8_t> bytes(8);
    EXPECT_EQ(test::FailureDetail(loop.desktop.ReadExactly(bytes, test::Generous(), {})),
              EndpointText(loop.desktop.Peer()) + " closed the connection after 3 of 8 bytes");
    // Ending one's own sending still lets the answer in.
    ASSERT_TRUE(test::Succeeded(loop.desktop.WriteAll(test::BytesOf("ok"), test::Generous(), {})));
    EXPECT_EQ(ReadText(loop.handheld, 2), "ok");
}

TEST(TcpTest, APeerThatStallsFailsTheReadAndTheWriteAtTheDeadline)
{
    Loopback loop = Connected();
    std::vector<std::uint8_t> bytes(4);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(test::FailureDetail(loop.desktop.ReadExactly(bytes, test::After(200ms), {})),
              "cannot read from " + EndpointText(loop.desktop.Peer()) +
                  ": no answer within the time limit");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);

    // A peer that reads nothing fills the system's buffers; the rest waits, then fails.
    const std::vector<std::uint8_t> many(64 * 1024 * 1024);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(test::FailureDetail(loop.handheld.WriteAll(many, test::After(300ms), {})),
              "cannot write to " + EndpointText(loop.handheld.Peer()) +
                  ": no answer within the time limit");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(TcpTest, NoConnectionWithinTheDeadlineAndARefusedOneAreFailures)
{
    Result<TcpListener> listener = TcpListener::Listen(test::kLoopbackAnyPort);
    ASSERT_TRUE(test::Succeeded(listener));
    const Endpoint local = listener->Local();
    EXPECT_EQ(test::FailureDetail(listener->Accept(test::After(150ms), {})),
              "no connection on " + EndpointText(local) + ": no answer within the time limit");

    {
        TcpListener gone = std::move(*listener);
    }
    EXPECT_EQ(test::FailureDetail(TcpConnection::Connect(local, test::Generous(), {})),
              "cannot connect to " + EndpointText(local) + ": connection refused");
}

TEST(TcpTest, AListenerIsReachedThroughItsOwnAddressAlone)
{
    // 127.0.0.2 is another address of this computer where the system routes all of 127/8
    // to itself; elsewhere there is none to try.
    if (!UdpSocket::Bind(Endpoint{{127, 0, 0, 2}, 0}))
        GTEST_SKIP() << "this computer has no second loopback address";
    Result<TcpListener> listener = TcpListener::Listen(test::kLoopbackAnyPort);
    ASSERT_TRUE(test::Succeeded(listener));
    const Endpoint other{{127, 0, 0, 2}, listener->Local().port};
    EXPECT_EQ(test::FailureDetail(TcpConnection::Connect(other, test::Generous(), {})),
              "cannot connect to " + EndpointText(other) + ": connection refused");
}

TEST(TcpTest, AListenersPortIsItsOwnAndFreeAgainOnceItIsGone)
{
    Endpoint local;
    {
        Loopback loop = Connected();
        local = loop.listener.Local();
        EXPECT_EQ(test::FailureDetail(TcpListener::Listen(local)),
                  "cannot listen on " + EndpointText(local) + ": address already in use");
        // The listening side closes first, so its port keeps a connection in TIME_WAIT.
        TcpConnection closedFirst = std::move(loop.desktop);
    }
    EXPECT_TRUE(test::Succeeded(TcpListener::Listen(local)));
}

TEST(TcpTest, AStopEndsAnAcceptAndAReadPromptly)
{
    Loopback loop = Connected();
    std::stop_source stop;
    std::jthread stopper([&] {
        std::this_thread::sleep_for(100ms);
        stop.request_stop();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(test::FailureDetail(loop.listener.Accept(test::Generous(), stop.get_token())),
              "no connection on " + EndpointText(loop.listener.Local()) + ": stopped");
    std::vector<std::uint8_t> bytes(4);
    EXPECT_EQ(
        test::FailureDetail(loop.desktop.ReadExactly(bytes, test::Generous(), stop.get_token())),
        "cannot read from " + EndpointText(loop.desktop.Peer()) + ": stopped");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

} // namespace
} // namespace zvk
