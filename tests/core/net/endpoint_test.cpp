#include "net/endpoint.h"

#include <gtest/gtest.h>

#include "support/succeeded.h"

namespace zvk {
namespace {

TEST(EndpointTest, ReadsEachPartInItsPlaceAndWritesItBack)
{
    const Result<Endpoint> endpoint = ParseEndpoint("169.254.2.1:990");
    ASSERT_TRUE(test::Succeeded(endpoint));
    EXPECT_EQ(*endpoint, (Endpoint{{169, 254, 2, 1}, 990}));
    EXPECT_EQ(EndpointText(Endpoint{{255, 0, 10, 7}, 65535}), "255.0.10.7:65535");
    EXPECT_EQ(*ParseEndpoint("0.0.0.0:0"), (Endpoint{{0, 0, 0, 0}, 0}));
}

TEST(EndpointTest, RefusesTextThatIsNoAddressAndPortAndSaysWhatItWanted)
{
    for (const char* text :
         {"", "169.254.2.1", "169.254.2:990", "169.254.2.1.4:990", "256.1.1.1:990", "1.1.1.1:65536",
          "1.1.1.1:", ":990", "1.1.1.1:990 ", " 1.1.1.1:990", "1.1.1.1:99x", "01.1.1.1:990",
          "1.1.1.1:0990", "1..1.1:990", "1.1.1.-1:990", "1.1.1.1:+9", "1111.1.1.1:9",
          "1.1.1.1:1000000"}) {
        const Result<Endpoint> endpoint = ParseEndpoint(text);
        EXPECT_EQ(test::FailureDetail(endpoint),
                  std::string("not an IPv4 address and port (such as 169.254.2.1:990): ") + text)
            << text;
    }
}

} // namespace
} // namespace zvk
