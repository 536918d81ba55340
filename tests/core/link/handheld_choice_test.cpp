#include "link/handheld_choice.h"

#include <gtest/gtest.h>

#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace zvk {
namespace {

const NetworkInterface kOffice{"eth0", "e1000e", {{192, 168, 1, 5}}};
const NetworkInterface kCradle{"usb0", "rndis_host", {{169, 254, 2, 2}}};

NetworkLinkPlace Network(std::string variable, std::vector<NetworkInterface> interfaces)
{
    return {std::move(variable),
            [interfaces]() -> Result<std::vector<NetworkInterface>> { return interfaces; },
            {},
            nullptr};
}

// Which handheld a transfer talks to: a named folder always, then a named link, then the
// system's own way (rapi.dll on Windows unless the own link is chosen; elsewhere the own
// link where a cradle's interface is, the emulator where none is).
TEST(HandheldChoiceTest, EachPlaceTakesItsHandheld)
{
    struct Case
    {
        const char* name;
        std::string variable;
        std::string configuredFolder;
        std::string configuredLink;
        bool ownLinkChosen;
        std::vector<NetworkInterface> interfaces;
        HandheldRoute route;
    };
#ifdef _WIN32
    const HandheldRoute own = HandheldRoute::RapiLibrary;
    const HandheldRoute withoutCradle = HandheldRoute::RapiLibrary;
#else
    const HandheldRoute own = HandheldRoute::FoundLink;
    const HandheldRoute withoutCradle = HandheldRoute::Emulated;
#endif
    const Case cases[] = {
        {"folder named",
         "127.0.0.1:9990,127.0.0.2:5679",
         "zariadenie",
         "",
         true,
         {kCradle},
         HandheldRoute::Emulated},
        {"ZVK_LINK",
         "127.0.0.1:9990,127.0.0.2:5679",
         "",
         "",
         false,
         {kCradle},
         HandheldRoute::NamedLink},
        {"link setting",
         "",
         "",
         "127.0.0.1:9990,127.0.0.2:5679",
         false,
         {},
         HandheldRoute::NamedLink},
        {"cradle", "", "", "", false, {kOffice, kCradle}, own},
        {"no cradle", "", "", "", false, {kOffice}, withoutCradle},
        {"own link chosen", "", "", "", true, {kOffice, kCradle}, HandheldRoute::FoundLink},
    };
    for (const Case& c : cases) {
        HandheldChooser chooser(Network(c.variable, c.interfaces), SteadyClock());
        HandheldPlace place{{}, c.configuredFolder, "pracovny", {}};
        place.configuredLink = c.configuredLink;
        place.ownLinkChosen = c.ownLinkChosen;
        EXPECT_EQ(chooser.Route(place), c.route) << c.name;
        EXPECT_EQ(chooser.EmulatedFolder(place).has_value(), c.route == HandheldRoute::Emulated)
            << c.name;
    }
}

// A malformed named link is named in the failure, before anything listens; a link named
// for its handheld is claimed apart from the desktop's one handheld.
TEST(HandheldChoiceTest, ANamedLinkIsReadBeforeItIsUsedAndClaimedByItsDesktopEnd)
{
    HandheldChooser chooser(Network("127.0.0.1:0,127.0.0.2:5679", {}), SteadyClock());
    const HandheldPlace place{{}, {}, "pracovny", {}};
    EXPECT_EQ(test::FailureDetail(chooser.Open(place)),
              "the desktop's end has port 0, which the handheld cannot be told");
    EXPECT_EQ(NamedLinkOptions({{{127, 0, 0, 1}, 9990}, {{127, 0, 0, 2}, 5679}}).claimName,
              "127.0.0.1-9990");
    EXPECT_EQ(chooser.LinkedHandheld(), std::nullopt);
}

} // namespace
} // namespace zvk
