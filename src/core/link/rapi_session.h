#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>

#include "link/surprise_capture.h"
#include "net/tcp_connection.h"
#include "system/result.h"

namespace zvk {

// How long the handheld has for a reply: a call is a round trip on a cradle's USB link,
// so a handheld that needs seconds has stopped answering, and the transfer must learn
// it while the clerk still waits.
inline constexpr std::chrono::milliseconds kReplyLimit{5000};

// One Remote API session with the handheld, the only owner of its connection. One call
// at a time: its request goes out and its reply comes back before the next call begins.
// A call that broke the link (a failure to write or read, no reply within the limit, a
// stop) or was answered with a reply that cannot be taken leaves the session dead: every
// later call fails at once and the connection is not touched again, since a reply still
// under way would be taken for the answer to another request.
class RapiSession
{
public:
    // `stop` ends any wait for the handheld; `captures` keeps the replies that surprise.
    RapiSession(TcpConnection connection, std::stop_token stop, const SurpriseCapture& captures,
                std::chrono::milliseconds replyLimit = kReplyLimit);

    // Sends the request's payload and hands the reply's to `take`, which fails when the
    // reply cannot be taken: the reply is then kept as a capture. Either failure is the
    // call's.
    using ReplyTaker = std::function<Result<>(std::string_view reply)>;
    Result<> Call(std::string_view request, const ReplyTaker& take);
    // Whether a call left the session dead.
    bool Dead();

private:
    Result<std::string> Exchange(std::string_view request);

    std::mutex m_mutex;
    TcpConnection m_connection;
    const std::stop_token m_stop;
    const SurpriseCapture& m_captures;
    const std::chrono::milliseconds m_replyLimit;
    bool m_dead = false;
};

} // namespace zvk
