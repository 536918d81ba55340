#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "link/wire_remote_api.h"
#include "net/tcp_connection.h"

namespace zvk::test {

// A handheld on loopback whose replies the test writes, as frames, before or after the
// desktop's call, and whose end of the session the test reads the requests from.
struct ScriptedHandheld
{
    std::unique_ptr<WireRemoteApi> desktop;
    TcpConnection handheld;

    // Its reply payloads, each as one frame.
    void Answer(std::string_view payload);
    // The next request's payload the desktop sent.
    std::string Request();
    // True when the desktop sent nothing more and then closed the session.
    bool SentNothingMoreBeforeClosing();
};

// The desktop in a session with a scripted handheld, its captures kept under `cacheFolder`.
ScriptedHandheld InSession(const std::filesystem::path& cacheFolder,
                           std::chrono::milliseconds replyLimit = std::chrono::seconds(10));

// A desktop whose handheld never connects back: its CeRapiInit waits.
std::unique_ptr<WireRemoteApi> WithASilentHandheld();

} // namespace zvk::test
