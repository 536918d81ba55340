#include "link/rapi_session.h"

#include "link/frame_io.h"
#include "wire/rapi_command.h"

namespace zvk {

RapiSession::RapiSession(TcpConnection connection, std::stop_token stop,
                         const SurpriseCapture& captures, std::chrono::milliseconds replyLimit)
    : m_connection(std::move(connection)), m_stop(std::move(stop)), m_captures(captures),
      m_replyLimit(replyLimit)
{}

Result<> RapiSession::Call(std::string_view request, const ReplyTaker& take)
{
    const std::lock_guard lock(m_mutex);
    if (m_dead)
        return Fail("the session with the handheld has already broken");
    Result<std::string> reply = Exchange(request);
    if (!reply) {
        m_dead = true;
        return Unexpected(std::move(reply).error());
    }
    Result<> taken = take(*reply);
    if (!taken) {
        m_dead = true;
        const Result<wire::RapiCommand> command = wire::RequestCommand(request);
        m_captures.Keep({command ? wire::CommandName(*command) : "unknown call", request, *reply,
                         taken.error().detail});
    }
    return taken;
}

Result<std::string> RapiSession::Exchange(std::string_view request)
{
    const Deadline deadline = std::chrono::steady_clock::now() + m_replyLimit;
    if (Result<> sent = WriteFrame(m_connection, request, deadline, m_stop); !sent)
        return Unexpected(std::move(sent).error());
    return ReadFrame(m_connection, deadline, m_stop);
}

bool RapiSession::Dead()
{
    const std::lock_guard lock(m_mutex);
    return m_dead;
}

} // namespace zvk
