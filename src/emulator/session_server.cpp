#include "emulator/session_server.h"

#include <set>

#include "emulator/device_waits.h"
#include "emulator/session_calls.h"
#include "link/frame_io.h"
#include "wire/rapi_frame.h"

namespace zvk::emulator {
namespace {

std::string Ordinal(std::uint32_t call)
{
    return "call " + std::to_string(call);
}

// The files a session opened belong to it: whatever ends it closes those it left open, so
// that a desktop whose session broke under a send can delete the half file in the next.
class SessionFiles
{
public:
    explicit SessionFiles(RemoteApi& handheld) : m_handheld(handheld) {}
    ~SessionFiles()
    {
        for (const CeHandle handle : open)
            static_cast<void>(m_handheld.CeCloseHandle(handle));
    }
    SessionFiles(const SessionFiles&) = delete;
    SessionFiles& operator=(const SessionFiles&) = delete;

    std::set<CeHandle> open;

private:
    RemoteApi& m_handheld;
};

} // namespace

std::string ServeSession(TcpConnection& connection, RemoteApi& handheld, const DeviceFaults& faults,
                         DiskSpace& disk, DeviceEvents& events, const std::string& name,
                         std::stop_token stop)
{
    SessionFiles files(handheld);
    for (std::uint32_t answered = 0;; ++answered) {
        if (faults.dropAfterCalls == answered) {
            events.Tell(name + ": fault: dropped after " + std::to_string(answered) + " calls");
            return "dropped";
        }
        Result<std::string> request = ReadFrame(connection, DeadlineAfter(kDesktopIdleLimit), stop);
        if (!request)
            return stop.stop_requested() ? "the device stopped" : request.error().detail;
        const Result<std::string> reply = AnswerCall(*request, handheld, disk, files.open);
        if (!reply)
            return "request refused: " + reply.error().detail;
        const std::uint32_t call = answered + 1;
        if (faults.stallAt == call) {
            events.Tell(name + ": fault: no reply to " + Ordinal(call));
            // Until the desktop gives up and closes, or the device stops: whatever ends
            // the wait ends the session.
            static_cast<void>(ReadBytes(connection, 1, DeadlineAfter(kDesktopIdleLimit), stop));
            return "stalled";
        }
        std::string frame = wire::EncodeFrame(*reply);
        if (faults.shortReplyAt == call) {
            events.Tell(name + ": fault: reply to " + Ordinal(call) + " cut short");
            frame.resize(wire::kFrameHeaderBytes + reply->size() / 2);
        }
        const Result<> written =
            WriteBytes(connection, frame, DeadlineAfter(kDesktopAnswerLimit), stop);
        if (!written)
            return written.error().detail;
        if (faults.shortReplyAt == call)
            return "reply cut short";
    }
}

} // namespace zvk::emulator
