#include "net/udp_socket.h"

#include <gtest/gtest.h>

#include "loopback.h"
#include "support/succeeded.h"

namespace zvk {
namespace {

using namespace std::chrono_literals;

TEST(UdpSocketTest, TheTriggerArrivesWithItsSender)
{
    Result<UdpSocket> handheld = UdpSocket::Bind(test::kLoopbackAnyPort);
    Result<UdpSocket> desktop = UdpSocket::Bind(test::kLoopbackAnyPort);
    ASSERT_TRUE(test::Succeeded(handheld));
    ASSERT_TRUE(test::Succeeded(desktop));
    ASSERT_NE(handheld->Local().port, 0);

    const std::uint8_t trigger[] = {0x7F};
    ASSERT_TRUE(test::Succeeded(desktop->SendTo(handheld->Local(), trigger)));
    const Result<Datagram> received = handheld->Receive(test::Generous(), {});
    ASSERT_TRUE(test::Succeeded(received));
    EXPECT_EQ(received->bytes, std::vector<std::uint8_t>{0x7F});
    EXPECT_EQ(received->sender, desktop->Local());
}

TEST(UdpSocketTest, NoTriggerWithinTheDeadlineIsAFailureNamingTheAddress)
{
    Result<UdpSocket> handheld = UdpSocket::Bind(test::kLoopbackAnyPort);
    ASSERT_TRUE(test::Succeeded(handheld));
    const auto start = std::chrono::steady_clock::now();
    const Result<Datagram> received = handheld->Receive(test::After(150ms), {});
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);
    EXPECT_EQ(test::FailureDetail(received), "nothing received on " +
                                                 EndpointText(handheld->Local()) +
                                                 ": no answer within the time limit");
}

} // namespace
} // namespace zvk
