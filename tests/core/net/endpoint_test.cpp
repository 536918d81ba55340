#include "net/endpoint.h"

#include <utility>

#include <gtest/gtest.h>

#include "net/named_link.h"
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

// ZVK_LINK's two ends, each in its place: the desktop listens at the first, the trigger goes
// to the second.
TEST(NamedLinkTest, ReadsBothEndsInTheirPlacesAndWritesThemBack)
{
    const Result<NamedLink> link = ParseNamedLink("169.254.2.2:990,169.254.2.1:5679");
    ASSERT_TRUE(test::Succeeded(link));
    EXPECT_EQ(link->desktop, (Endpoint{{169, 254, 2, 2}, 990}));
    EXPECT_EQ(link->handheldTrigger, (Endpoint{{169, 254, 2, 1}, 5679}));
    EXPECT_EQ(NamedLinkText(*link), "169.254.2.2:990,169.254.2.1:5679");
}

TEST(NamedLinkTest, RefusesWhatNamesNoLinkAndSaysWhichEndIsWrong)
{
    const std::string noLink = "not a link (desktop address:port,handheld address:trigger port, "
                               "such as 169.254.2.2:990,169.254.2.1:5679): ";
    const std::string noEndpoint = "not an IPv4 address and port (such as 169.254.2.1:990): ";
    const std::pair<const char*, std::string> cases[] = {
        {"", noLink},
        {"127.0.0.1:990", noLink + "127.0.0.1:990"},
        {"127.0.0.1:0,127.0.0.2:5679",
         "the desktop's end has port 0, which the handheld cannot be told"},
        {"127.0.0.1:990,127.0.0.2:0",
         "the handheld's trigger has port 0, which the handheld cannot be told"},
        {"127.0.0.1:990, 127.0.0.2:5679", noEndpoint + " 127.0.0.2:5679"},
        {"127.0.0.1:990,127.0.0.2:5679,x", noEndpoint + "127.0.0.2:5679,x"},
        {"127.0.0.1,127.0.0.2:5679", noEndpoint + "127.0.0.1"},
    };
    for (const auto& [text, detail] : cases)
        EXPECT_EQ(test::FailureDetail(ParseNamedLink(text)), detail) << text;
}

} // namespace
} // namespace zvk
