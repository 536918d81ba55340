#include "link/handheld_connection.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "link/control_link.h"
#include "link/frame_io.h"
#include "net/endpoint.h"
#include "net/udp_socket.h"
#include "wire/control_words.h"
#include "wire/password_words.h"

namespace zvk {
namespace {

// The one byte that asks the handheld to connect to its desktop.
constexpr std::uint8_t kTrigger = 0x7F;
// How long the clerk may take to unlock the handheld, over the transfers tried meanwhile.
constexpr std::chrono::minutes kUnlockPatience{2};
// A connection back sends its id at once, as its first bytes.
constexpr std::chrono::milliseconds kConnectBackIdLimit{500};

Failure Step(std::string_view step, const Failure& why)
{
    return Failure{std::string(step) + ": " + why.detail, why.file};
}

std::string Utf8(const std::u16string& text)
{
    const std::u8string utf8 = std::filesystem::path(text).u8string();
    return std::string(utf8.begin(), utf8.end());
}

} // namespace

HandheldConnection::HandheldConnection(Options options) : m_options(std::move(options)) {}

Deadline HandheldConnection::StepDeadline() const
{
    return std::chrono::steady_clock::now() + m_options.answerLimit;
}

std::string HandheldConnection::ClaimName() const
{
    return m_options.claimName;
}

std::optional<wire::DeviceInfo> HandheldConnection::Handheld() const
{
    const std::lock_guard lock(m_handheldMutex);
    return m_handheld;
}

void HandheldConnection::Drop()
{
    m_control.reset();
    m_state = State::Closed;
    // A handheld reached afresh tells of itself again; until then none is named.
    const std::lock_guard lock(m_handheldMutex);
    m_handheld.reset();
}

Result<TcpConnection> HandheldConnection::OpenSession(std::stop_token stop)
{
    const std::lock_guard lock(m_sessionMutex);
    // A control connection that died while the clerk was to unlock the handheld is never
    // written to, so nothing else would notice: after a while it is reached afresh.
    if (m_state == State::AskedUnlock &&
        std::chrono::steady_clock::now() - m_askedToUnlock > kUnlockPatience)
        Drop();
    if (m_state == State::Closed)
        if (Result<> reached = Reach(stop); !reached)
            return Unexpected(std::move(reached).error());
    if (m_state != State::Connected)
        if (Result<> unlocked = Unlock(stop); !unlocked)
            return Unexpected(std::move(unlocked).error());
    return RequestSession(stop);
}

// Listens where the link is now (again only when it moved: sessions of the old place are
// closed first, since a listening port is not taken again while its connections live),
// triggers the handheld and answers its handshake.
Result<> HandheldConnection::Reach(std::stop_token stop)
{
    Result<NamedLink> place = m_options.link();
    if (!place)
        return Unexpected(std::move(place).error());
    if (m_place != *place) {
        m_listener.reset();
        m_place.reset();
        Result<TcpListener> listener = TcpListener::Listen(place->desktop);
        if (!listener)
            return Unexpected(Step("cannot listen for the handheld", listener.error()));
        m_listener = std::move(listener).value();
        m_place = *place;
    }
    Result<UdpSocket> trigger = UdpSocket::Bind(Endpoint{m_place->desktop.address, 0});
    if (!trigger)
        return Unexpected(Step("cannot send the handheld its trigger", trigger.error()));
    const std::array<std::uint8_t, 1> triggerByte{kTrigger};
    if (Result<> sent = trigger->SendTo(m_place->handheldTrigger, triggerByte); !sent)
        return Unexpected(Step("cannot send the handheld its trigger", sent.error()));
    Result<TcpConnection> control = m_listener->Accept(StepDeadline(), stop);
    if (!control && stop.stop_requested())
        return Fail("no handshake: stopped before the handheld connected to " +
                    EndpointText(m_place->desktop));
    if (!control)
        return Fail("no handshake: the handheld did not connect to " +
                    EndpointText(m_place->desktop) + " within " +
                    std::to_string(m_options.answerLimit.count()) + " ms of the trigger to " +
                    EndpointText(m_place->handheldTrigger));
    Result<wire::DeviceInfo> handheld = AnswerHandshake(*control, StepDeadline(), stop);
    if (!handheld)
        return Unexpected(Step("no handshake", handheld.error()));
    m_control = std::move(control).value();
    m_passwordRefused = false;
    switch (wire::PasswordStyleOf(handheld->passwordKey)) {
    case wire::PasswordStyle::None:
        m_state = State::Connected;
        break;
    case wire::PasswordStyle::OnDesktop:
        m_state = State::Locked;
        break;
    case wire::PasswordStyle::OnHandheld:
        m_state = State::AskedUnlock;
        m_askedToUnlock = std::chrono::steady_clock::now();
        if (Result<> asked = AskToUnlock(*m_control, StepDeadline(), stop); !asked) {
            Drop();
            return Unexpected(Step("the handheld is locked", asked.error()));
        }
        break;
    }
    const std::lock_guard lock(m_handheldMutex);
    m_handheld = std::move(handheld).value();
    return {};
}

// A password typed on the desktop is tried once per session wanted; a handheld that shows
// its unlock screen is waited on for a step's time, and again on the next session: on the
// same connection after a stop, routine while the clerk unlocks it (the transfer's watchdog
// is shorter than a step), but afresh from the trigger once a step's time ran out, since a
// handheld silent that long may have lost the connection unheard, and a word cut off at the
// deadline would leave the two ends out of step.
Result<> HandheldConnection::Unlock(std::stop_token stop)
{
    const wire::DeviceInfo handheld = Handheld().value();
    Result<bool> unlocked = false;
    if (m_state == State::AskedUnlock) {
        unlocked = AwaitUnlock(*m_control, StepDeadline(), stop);
        if (unlocked && !*unlocked) {
            Drop();
            return Fail("the handheld is locked: it refused to be unlocked");
        }
        if (!unlocked && stop.stop_requested())
            return Fail("the handheld is locked: unlock it on the handheld");
    } else {
        const std::optional<std::u16string> password =
            m_options.passwords != nullptr
                ? m_options.passwords->Password(handheld, m_passwordRefused)
                : std::nullopt;
        if (!password)
            return Fail("the handheld wants its password");
        if (password->size() > wire::kMaxPasswordChars)
            return Fail("the handheld's password is longer than " +
                        std::to_string(wire::kMaxPasswordChars) + " characters");
        unlocked = SendPassword(*m_control, *password, handheld.passwordKey, StepDeadline(), stop);
        if (unlocked && !*unlocked) {
            m_passwordRefused = true;
            return Fail("the handheld refused the password");
        }
    }
    if (!unlocked) {
        Drop();
        return Unexpected(Step("the handheld is locked", unlocked.error()));
    }
    m_state = State::Connected;
    return {};
}

Result<TcpConnection> HandheldConnection::RequestSession(std::stop_token stop)
{
    const std::uint32_t id = m_nextId++;
    Result<> asked = WriteBytes(*m_control, wire::EncodeSessionRequest(id), StepDeadline(), stop);
    if (!asked) {
        Drop();
        return Unexpected(Step("no connect-back: the session was not asked for", asked.error()));
    }
    Result<TcpConnection> session = AwaitConnectBack(id, stop);
    if (!session && !stop.stop_requested())
        Drop(); // a handheld that does not answer is reached afresh next time
    return session;
}

// Connections that bring another id (a session given up earlier, answered late) are
// closed; only the one asked for is a session.
Result<TcpConnection> HandheldConnection::AwaitConnectBack(std::uint32_t id, std::stop_token stop)
{
    const Deadline deadline = StepDeadline();
    for (;;) {
        Result<TcpConnection> connection = m_listener->Accept(deadline, stop);
        if (!connection)
            return Unexpected(
                Step("no connect-back for session " + std::to_string(id), connection.error()));
        // A connection that brings no id does not hold up the one behind it for long.
        const Deadline idDeadline =
            std::min(deadline, std::chrono::steady_clock::now() + kConnectBackIdLimit);
        Result<std::string> idBytes = ReadBytes(*connection, wire::kWordBytes, idDeadline, stop);
        if (!idBytes)
            continue;
        if (Result<std::uint32_t> answered = wire::DecodeConnectBack(*idBytes);
            answered && *answered == id)
            return std::move(connection).value();
    }
}

HandheldConnection::Options NamedLinkOptions(const NamedLink& link)
{
    HandheldConnection::Options options;
    options.link = [link]() -> Result<NamedLink> { return link; };
    options.claimName = EndpointText(link.desktop);
    std::replace(options.claimName.begin(), options.claimName.end(), ':', '-');
    return options;
}

std::string HandheldSummary(const wire::DeviceInfo& handheld)
{
    return Utf8(handheld.name) + " (" + handheld.model + ", Windows CE " +
           std::to_string(handheld.osMajor) + "." + std::to_string(handheld.osMinor) + ")";
}

} // namespace zvk
