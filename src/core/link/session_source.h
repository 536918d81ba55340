#pragma once

#include <stop_token>
#include <string>

#include "net/tcp_connection.h"
#include "system/result.h"

namespace zvk {

// Where a Remote API session with the handheld comes from: the desktop asks the handheld
// for one on its control connection and takes the connection the handheld opens back.
// A test may hand out connections of its own.
class SessionSource
{
public:
    virtual ~SessionSource() = default;

    // A new session, its connect-back id already read, so that Remote API frames follow
    // at once. Blocks until the handheld answers or gives up; a stop ends the wait, a
    // failure. A failure names the step that failed.
    virtual Result<TcpConnection> OpenSession(std::stop_token stop) = 0;

    // The name of a link named for its handheld ("127.0.0.1-9990"), whose transfers are kept
    // apart from those of other handhelds; empty for the one handheld of this desktop.
    virtual std::string ClaimName() const
    {
        return {};
    }
};

} // namespace zvk
