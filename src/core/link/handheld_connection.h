#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "link/password_prompt.h"
#include "link/session_source.h"
#include "net/named_link.h"
#include "net/tcp_listener.h"
#include "wire/device_info.h"

namespace zvk {

// The desktop's connection manager for a handheld on its network link, in the place of
// the device connection software: it listens on the desktop's end of the link (one
// address, never all of them: the link has no authentication), sends the handheld the
// trigger, answers its handshake, lets it be unlocked, and then asks it for each Remote
// API session and takes the connection it opens back by the request's id.
//
// The control connection and the listener stay up between sessions, as the handheld
// expects of its desktop; a control connection found dead is given up, and the next
// session starts again from the trigger. Sessions may be opened from any thread, one at a
// time.
class HandheldConnection final : public SessionSource
{
public:
    struct Options
    {
        // Where the desktop and the handheld meet: named (ZVK_LINK), or found among this
        // computer's interfaces when a session is wanted. A failure says why there is none.
        std::function<Result<NamedLink>()> link;
        // The password of a handheld that wants one typed on the desktop; none: refused.
        PasswordPrompt* passwords = nullptr;
        // How long each step waits for the handheld: the control connection after the
        // trigger, each handshake word, a password's answer, the connect-back.
        std::chrono::milliseconds answerLimit{3000};
        // The claim of a handheld on a link named for it (SessionSource::ClaimName); empty
        // for the desktop's one handheld.
        std::string claimName = {};
    };

    explicit HandheldConnection(Options options);

    Result<TcpConnection> OpenSession(std::stop_token stop) override;
    std::string ClaimName() const override;

    // The handheld as it described itself when it connected; none before.
    std::optional<wire::DeviceInfo> Handheld() const;

private:
    enum class State
    {
        Closed,      // no control connection: the next session starts from the trigger
        Locked,      // the handheld wants a password typed on the desktop
        AskedUnlock, // the handheld shows its unlock screen; its answer is awaited
        Connected,   // sessions can be asked for
    };

    Result<> Reach(std::stop_token stop);
    Result<> Unlock(std::stop_token stop);
    Result<TcpConnection> RequestSession(std::stop_token stop);
    Result<TcpConnection> AwaitConnectBack(std::uint32_t id, std::stop_token stop);
    void Drop();
    Deadline StepDeadline() const;

    const Options m_options;
    std::mutex m_sessionMutex; // one session opened at a time
    std::optional<TcpListener> m_listener;
    std::optional<NamedLink> m_place;
    std::optional<TcpConnection> m_control;
    State m_state = State::Closed;
    bool m_passwordRefused = false;
    std::chrono::steady_clock::time_point m_askedToUnlock{};
    std::uint32_t m_nextId = 1;
    mutable std::mutex m_handheldMutex;
    std::optional<wire::DeviceInfo> m_handheld;
};

// A connection to the handheld at a named link, claimed by the desktop's end of it
// ("127.0.0.1-9990"), which no two transfers can listen on at once anyway.
HandheldConnection::Options NamedLinkOptions(const NamedLink& link);

// "ZVK-42 (MC3190, Windows CE 5.2)": the handheld for the status line and zvk diagnose,
// in UTF-8.
std::string HandheldSummary(const wire::DeviceInfo& handheld);

} // namespace zvk
