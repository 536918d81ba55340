#include "net/handheld_link.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "support/succeeded.h"

namespace zvk {
namespace {

const NetworkInterface kLoopback{"lo", "", {{127, 0, 0, 1}}};
const NetworkInterface kOfficeNetwork{"eth0", "e1000e", {{192, 168, 1, 5}}};
const NetworkInterface kCradle{"usb0", "rndis_host", {{169, 254, 2, 2}, {10, 0, 0, 2}}};
const NetworkInterface kCradleOnWindows{
    "Ethernet 3", "Remote NDIS Compatible Device", {{169, 254, 2, 7}}};
const NetworkInterface kCradleWithoutAddress{"usb1", "rndis_host", {}};

// The link is the RNDIS interface with an address, whatever else the computer has, on
// either system; without one, the failure says which step is missing.
TEST(HandheldLinkTest, TheRndisInterfaceWithAnAddressIsTheLinkAndItsAbsenceIsNamed)
{
    struct Case
    {
        std::vector<NetworkInterface> interfaces;
        std::string name;
        IPv4Address desktop;
        std::string failure;
    };
    const Case cases[] = {
        {{kLoopback, kOfficeNetwork, kCradle}, "usb0", {169, 254, 2, 2}, ""},
        {{kOfficeNetwork, kCradleOnWindows}, "Ethernet 3", {169, 254, 2, 7}, ""},
        {{kCradleWithoutAddress, kCradle}, "usb0", {169, 254, 2, 2}, ""},
        {{kLoopback, kCradleWithoutAddress},
         "",
         {},
         "the handheld's network link usb1 has no IPv4 address yet"},
        {{kLoopback, kOfficeNetwork},
         "",
         {},
         "no handheld's network link (RNDIS): is the handheld in its cradle?"},
        {{}, "", {}, "no handheld's network link (RNDIS): is the handheld in its cradle?"},
    };
    for (const Case& each : cases) {
        const Result<HandheldLinkInterface> found = FindHandheldLink(each.interfaces);
        if (!each.failure.empty()) {
            EXPECT_EQ(test::FailureDetail(found), each.failure);
            continue;
        }
        ASSERT_TRUE(test::Succeeded(found)) << each.name;
        EXPECT_EQ(found->adapter.name, each.name);
        EXPECT_EQ(found->desktop, each.desktop) << each.name;
    }
}

// The desktop listens on its own address of the link at 990; the handheld takes the trigger
// at 5679 on the network's first address, or its second beside a desktop holding the first.
TEST(HandheldLinkTest, AFoundLinkMeetsTheHandheldAtTheNetworksFirstFreeAddress)
{
    const struct
    {
        IPv4Address desktop;
        std::string link;
    } cases[] = {
        {{169, 254, 2, 2}, "169.254.2.2:990,169.254.2.1:5679"},
        {{169, 254, 2, 1}, "169.254.2.1:990,169.254.2.2:5679"},
        {{192, 168, 55, 101}, "192.168.55.101:990,192.168.55.1:5679"},
    };
    for (const auto& each : cases)
        EXPECT_EQ(NamedLinkText(LinkOfInterface({kCradle, each.desktop})), each.link);
}

// This computer's own interfaces are listed, and its loopback is never taken for a handheld.
TEST(HandheldLinkTest, ThisComputersInterfacesAreListedAndTheLoopbackIsNoHandheld)
{
    const Result<std::vector<NetworkInterface>> interfaces = NetworkInterfaces();
    ASSERT_TRUE(test::Succeeded(interfaces));
    for (const NetworkInterface& each : *interfaces) {
        EXPECT_FALSE(each.name.empty());
        for (const IPv4Address& address : each.addresses) {
            if (address[0] == 127) {
                EXPECT_FALSE(IsRndisInterface(each)) << each.name << " " << each.driver;
            }
        }
    }
#ifndef _WIN32
    const bool loopbackListed =
        std::any_of(interfaces->begin(), interfaces->end(), [](const NetworkInterface& each) {
            return each.addresses.end() != std::find(each.addresses.begin(), each.addresses.end(),
                                                     IPv4Address{127, 0, 0, 1});
        });
    EXPECT_TRUE(loopbackListed);
#endif
}

} // namespace
} // namespace zvk
