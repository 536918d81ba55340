#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/net/loopback.h"
#include "link/frame_io.h"
#include "link/handheld_connection.h"
#include "scripted_handheld.h"
#include "support/succeeded.h"
#include "wire/control_words.h"
#include "wire/password_words.h"

namespace zvk {
namespace {

using namespace std::chrono_literals;
using test::TriggeredHandheld;
using wire::EncodeWords;

constexpr IPv4Address kLoopback = test::kLoopbackAnyPort.address;
constexpr std::uint32_t kOpen = 0;
// A key whose low byte alone masks the password; its other bytes must not.
constexpr std::uint32_t kTypedOnDesktop = 0x001234AB;

// What the desktop sends on the handheld's hello and greeting.
const std::string kHandshakeAnswers = EncodeWords({3}) + EncodeWords({7, 8, 4, 5});
const std::string kTrigger = "\x7F";

wire::DeviceInfo Info(std::uint32_t passwordKey)
{
    wire::DeviceInfo info;
    info.guid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    info.osMajor = 5;
    info.osMinor = 2;
    info.name = u"ZVK-42";
    info.cpuType = 2577;
    info.platform = "PocketPC";
    info.model = "MC3190";
    info.passwordKey = passwordKey;
    return info;
}

HandheldConnection Desktop(const NamedLink& link, std::chrono::milliseconds answerLimit,
                           PasswordPrompt* passwords = nullptr)
{
    HandheldConnection::Options options = NamedLinkOptions(link);
    options.passwords = passwords;
    options.answerLimit = answerLimit;
    return HandheldConnection(std::move(options));
}

// The first bytes the handheld sent on a session, after its id.
std::string FirstOf(Result<TcpConnection>& session, std::size_t size)
{
    if (!session)
        return "[" + session.error().detail + "]";
    Result<std::string> bytes = ReadBytes(*session, size, test::Generous(), {});
    return bytes ? *bytes : "[" + bytes.error().detail + "]";
}

// `text` with each "{}" the desktop's end of the handheld's link, each "{trigger}" the
// handheld's.
std::string AtTheDesktop(std::string text, const TriggeredHandheld& handheld)
{
    for (std::size_t at = text.find("{}"); at != std::string::npos; at = text.find("{}"))
        text.replace(at, 2, EndpointText(handheld.Link().desktop));
    for (std::size_t at = text.find("{trigger}"); at != std::string::npos;
         at = text.find("{trigger}"))
        text.replace(at, 9, EndpointText(handheld.Link().handheldTrigger));
    return text;
}

// The clerk's answers, one per question; which questions followed a refusal is kept.
class TypedPasswords final : public PasswordPrompt
{
public:
    explicit TypedPasswords(std::vector<std::optional<std::u16string>> typed)
        : m_typed(std::move(typed))
    {}

    std::optional<std::u16string> Password(const wire::DeviceInfo& handheld, bool refused) override
    {
        askedFor.push_back(handheld.name);
        afterRefusal.push_back(refused);
        return m_typed.at(afterRefusal.size() - 1);
    }

    std::vector<std::u16string> askedFor;
    std::vector<bool> afterRefusal;

private:
    std::vector<std::optional<std::u16string>> m_typed;
};

struct OpenCase
{
    const char* handheld;
    std::uint32_t passwordKey;
    // What the handheld does after its info, before its first session.
    std::function<void(TriggeredHandheld&, TcpConnection&)> unlock;
    // What the desktop sent it meanwhile.
    std::string unlockHeard;
};

// Each session is asked for by the next id on the control connection that stays up, and is
// the connection that comes back with that id, whatever came back before it.
TEST(HandheldConnectionThreadsTest, EachSessionIsTheConnectBackOfItsOwnRequest)
{
    const std::vector<OpenCase> cases = {
        {"open", kOpen, [](TriggeredHandheld&, TcpConnection&) {}, ""},
        {"unlocked on itself", wire::kUnlockOnHandheldKey,
         [](TriggeredHandheld& handheld, TcpConnection& control) {
             handheld.Hear(control, wire::kWordBytes);
             handheld.Say(control, EncodeWords({0}));
             handheld.Hear(control, 2 * wire::kWordBytes);
         },
         EncodeWords({8}) + EncodeWords({0, 0x0C})},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.handheld);
        TriggeredHandheld handheld(kLoopback);
        bool lateClosed = false;
        std::jthread device([&] {
            TcpConnection control = handheld.ConnectWhenTriggered(Info(c.passwordKey));
            c.unlock(handheld, control);
            handheld.Hear(control, wire::kSessionRequestBytes);
            TcpConnection first = handheld.ConnectBack(1, "one");
            handheld.Hear(control, wire::kSessionRequestBytes);
            // The first session's request answered again, late.
            TcpConnection late = handheld.ConnectBack(1, "");
            TcpConnection second = handheld.ConnectBack(2, "two");
            lateClosed = test::ClosedWithNothingMore(late);
        });
        HandheldConnection desktop = Desktop(handheld.Link(), 5s);
        Result<TcpConnection> first = desktop.OpenSession({});
        Result<TcpConnection> second = desktop.OpenSession({});
        EXPECT_EQ(FirstOf(first, 3), "one");
        EXPECT_EQ(FirstOf(second, 3), "two");
        device.join();
        EXPECT_EQ(handheld.heard, kTrigger + kHandshakeAnswers + c.unlockHeard +
                                      EncodeWords({5, 4, 1}) + EncodeWords({5, 4, 2}));
        EXPECT_TRUE(lateClosed);
        EXPECT_EQ(desktop.Handheld(), Info(c.passwordKey));
    }
}

TEST(HandheldConnectionThreadsTest, ASessionNotConnectedBackIsGivenUpAndTheNextReachesAfresh)
{
    TriggeredHandheld handheld(kLoopback);
    bool dropped = false;
    std::jthread device([&] {
        TcpConnection control = handheld.ConnectWhenTriggered(Info(kOpen));
        handheld.Hear(control, wire::kSessionRequestBytes);
        dropped = test::ClosedWithNothingMore(control);
        TcpConnection again = handheld.ConnectWhenTriggered(Info(kOpen));
        handheld.Hear(again, wire::kSessionRequestBytes);
        TcpConnection session = handheld.ConnectBack(2, "two");
    });
    HandheldConnection desktop = Desktop(handheld.Link(), 500ms);
    const auto start = std::chrono::steady_clock::now();
    Result<TcpConnection> none = desktop.OpenSession({});
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    const std::string desktopEnd = EndpointText(handheld.Link().desktop);
    EXPECT_EQ(test::FailureDetail(none), "no connect-back for session 1: no connection on " +
                                             desktopEnd + ": no answer within the time limit");
    Result<TcpConnection> session = desktop.OpenSession({});
    EXPECT_EQ(FirstOf(session, 3), "two");
    device.join();
    EXPECT_TRUE(dropped);
    EXPECT_EQ(handheld.heard, kTrigger + kHandshakeAnswers + EncodeWords({5, 4, 1}) + kTrigger +
                                  kHandshakeAnswers + EncodeWords({5, 4, 2}));
}

// A handheld that does not come to its info is given up within the step's time.
TEST(HandheldConnectionThreadsTest, AHandshakeThatGoesNowhereIsRefusedInTime)
{
    struct Case
    {
        const char* handheld;
        std::function<void(TriggeredHandheld&)> play;
        std::string failure; // after "no handshake: "
    };
    const std::vector<Case> cases = {
        {"never connects", [](TriggeredHandheld& handheld) { handheld.AwaitTrigger(); },
         "the handheld did not connect to {} within 500 ms of the trigger to {trigger}"},
        {"sends words it does not explain, without end",
         [](TriggeredHandheld& handheld) {
             handheld.AwaitTrigger();
             TcpConnection control = handheld.Connect();
             const std::string junk = EncodeWords({99});
             for (int i = 0; i < 100000 && WriteBytes(control, junk, test::Generous(), {}); ++i) {
             }
         },
         "the handheld sent 16 handshake words without its info"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handheld);
        TriggeredHandheld handheld(kLoopback);
        std::jthread device([&] { c.play(handheld); });
        HandheldConnection desktop = Desktop(handheld.Link(), 500ms);
        const auto start = std::chrono::steady_clock::now();
        const Result<TcpConnection> session = desktop.OpenSession({});
        EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
        EXPECT_EQ(test::FailureDetail(session),
                  "no handshake: " + AtTheDesktop(c.failure, handheld));
        device.join();
        EXPECT_EQ(handheld.heard, kTrigger);
    }
}

// The password the clerk typed goes masked by the key's low byte, its length plain; a
// refused one leaves the handheld waiting on the same control connection for the next.
TEST(HandheldConnectionThreadsTest, APasswordTypedOnTheDesktopIsAskedForUntilTheHandheldTakesIt)
{
    TriggeredHandheld handheld(kLoopback);
    std::jthread device([&] {
        TcpConnection control = handheld.ConnectWhenTriggered(Info(kTypedOnDesktop));
        handheld.Hear(control, 2 + 8);
        handheld.Say(control, wire::EncodePasswordReply(false));
        handheld.Hear(control, 2 + 12);
        handheld.Say(control, wire::EncodePasswordReply(true));
        handheld.Hear(control, wire::kSessionRequestBytes);
        TcpConnection session = handheld.ConnectBack(1, "one");
    });
    TypedPasswords clerk({std::nullopt, u"\u0161la", u"heslo"});
    HandheldConnection desktop = Desktop(handheld.Link(), 5s, &clerk);
    EXPECT_EQ(test::FailureDetail(desktop.OpenSession({})), "the handheld wants its password");
    EXPECT_EQ(test::FailureDetail(desktop.OpenSession({})), "the handheld refused the password");
    Result<TcpConnection> session = desktop.OpenSession({});
    EXPECT_EQ(FirstOf(session, 3), "one");
    device.join();
    EXPECT_EQ(handheld.heard, kTrigger + kHandshakeAnswers +
                                  std::string("\x08\x00\xCA\xAA\xC7\xAB\xCA\xAB\xAB\xAB", 10) +
                                  std::string("\x0C\x00\xC3\xAB\xCE\xAB\xD8\xAB\xC7\xAB\xC4\xAB"
                                              "\xAB\xAB",
                                              14) +
                                  EncodeWords({5, 4, 1}));
    EXPECT_EQ(clerk.askedFor, std::vector<std::u16string>(3, u"ZVK-42"));
    EXPECT_EQ(clerk.afterRefusal, (std::vector<bool>{false, false, true}));
}

TEST(HandheldConnectionThreadsTest, AHandheldThatWantsAPasswordGetsNoSessionWithoutAPrompt)
{
    TriggeredHandheld handheld(kLoopback);
    std::jthread device([&] {
        TcpConnection control = handheld.ConnectWhenTriggered(Info(kTypedOnDesktop));
        test::ClosedWithNothingMore(control);
    });
    {
        HandheldConnection desktop = Desktop(handheld.Link(), 5s);
        EXPECT_EQ(test::FailureDetail(desktop.OpenSession({})), "the handheld wants its password");
    }
    device.join();
    EXPECT_EQ(handheld.heard, kTrigger + kHandshakeAnswers);
}

// The clerk may take longer to unlock the handheld than a session waits. A wait the
// watchdog stopped is taken up again on the same control connection; one that ran out of
// time gives the connection up, and the next session asks the handheld afresh.
TEST(HandheldConnectionThreadsTest, AnUnlockNotYetAnsweredIsAwaitedAgainByTheNextSession)
{
    struct Case
    {
        const char* waitEndedBy;
        bool stopped;
        std::string failure; // its beginning
        std::string heard;
    };
    const std::string askedToUnlock = kTrigger + kHandshakeAnswers + EncodeWords({8});
    const std::string unlocked = EncodeWords({0, 0x0C}) + EncodeWords({5, 4, 1});
    const std::vector<Case> cases = {
        {"a stop", true, "the handheld is locked: unlock it on the handheld",
         askedToUnlock + unlocked},
        {"the time limit", false, "the handheld is locked: cannot read from ",
         askedToUnlock + askedToUnlock + unlocked},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.waitEndedBy);
        TriggeredHandheld handheld(kLoopback);
        std::stop_source stop;
        // Not a latch: the Windows build's runtime may lose the wake-up of an atomic wait.
        std::promise<void> firstEnded;
        const std::shared_future<void> firstHasEnded = firstEnded.get_future().share();
        std::jthread device([&] {
            const auto showUnlockScreen = [&handheld] {
                TcpConnection control =
                    handheld.ConnectWhenTriggered(Info(wire::kUnlockOnHandheldKey));
                handheld.Hear(control, wire::kWordBytes);
                return control;
            };
            TcpConnection control = showUnlockScreen();
            if (c.stopped) {
                std::this_thread::sleep_for(100ms);
                stop.request_stop();
                firstHasEnded.wait();
            } else if (test::ClosedWithNothingMore(control)) {
                control = showUnlockScreen();
            }
            handheld.Say(control, EncodeWords({wire::kUnlockedReply}));
            handheld.Hear(control, 2 * wire::kWordBytes);
            handheld.Hear(control, wire::kSessionRequestBytes);
            TcpConnection session = handheld.ConnectBack(1, "one");
        });
        HandheldConnection desktop = Desktop(handheld.Link(), c.stopped ? 5s : 300ms);
        const auto start = std::chrono::steady_clock::now();
        const Result<TcpConnection> givenUp = desktop.OpenSession(stop.get_token());
        firstEnded.set_value();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
        EXPECT_EQ(test::FailureDetail(givenUp).substr(0, c.failure.size()), c.failure);
        Result<TcpConnection> session = desktop.OpenSession({});
        EXPECT_EQ(FirstOf(session, 3), "one");
        device.join();
        EXPECT_EQ(handheld.heard, c.heard);
    }
}

// The transfer's watchdog gives the link up from its own thread, whichever step waits.
TEST(HandheldConnectionThreadsTest, AStopEndsAWaitingSessionAtOnce)
{
    struct Case
    {
        const char* waitingFor;
        std::function<void(TriggeredHandheld&, std::vector<TcpConnection>&)> play;
        std::string failure;
    };
    const std::vector<Case> cases = {
        {"the handshake",
         [](TriggeredHandheld& handheld, std::vector<TcpConnection>&) { handheld.AwaitTrigger(); },
         "no handshake: stopped before the handheld connected to {}"},
        {"the connect-back",
         [](TriggeredHandheld& handheld, std::vector<TcpConnection>& kept) {
             TcpConnection& control = kept.emplace_back(handheld.ConnectWhenTriggered(Info(kOpen)));
             handheld.Hear(control, wire::kSessionRequestBytes);
         },
         "no connect-back for session 1: no connection on {}: stopped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.waitingFor);
        TriggeredHandheld handheld(kLoopback);
        std::vector<TcpConnection> kept;
        std::stop_source stop;
        std::jthread device([&] {
            c.play(handheld, kept);
            std::this_thread::sleep_for(100ms);
            stop.request_stop();
        });
        HandheldConnection desktop = Desktop(handheld.Link(), 20s);
        const auto start = std::chrono::steady_clock::now();
        const Result<TcpConnection> session = desktop.OpenSession(stop.get_token());
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
        EXPECT_EQ(test::FailureDetail(session), AtTheDesktop(c.failure, handheld));
    }
}

// Nothing reaches the desktop through another address of this computer.
TEST(HandheldConnectionThreadsTest, TheDesktopListensOnTheLinksAddressAlone)
{
    // 127.0.0.2 is another address of this computer where the system routes all of 127/8
    // to itself; elsewhere there is none to try.
    const IPv4Address linkAddress{127, 0, 0, 2};
    if (!UdpSocket::Bind(Endpoint{linkAddress, 0}))
        GTEST_SKIP() << "this computer has no second loopback address";
    TriggeredHandheld handheld(linkAddress);
    const Endpoint elsewhere{kLoopback, handheld.Link().desktop.port};
    std::string otherAddress;
    std::jthread device([&] {
        TcpConnection control = handheld.ConnectWhenTriggered(Info(kOpen));
        otherAddress = test::FailureDetail(TcpConnection::Connect(elsewhere, test::Generous(), {}));
        handheld.Hear(control, wire::kSessionRequestBytes);
        TcpConnection session = handheld.ConnectBack(1, "one");
    });
    HandheldConnection desktop = Desktop(handheld.Link(), 5s);
    Result<TcpConnection> session = desktop.OpenSession({});
    EXPECT_EQ(FirstOf(session, 3), "one");
    device.join();
    EXPECT_EQ(otherAddress,
              "cannot connect to " + EndpointText(elsewhere) + ": connection refused");
    EXPECT_EQ(handheld.heard, kTrigger + kHandshakeAnswers + EncodeWords({5, 4, 1}));
}

} // namespace
} // namespace zvk
