#pragma once

#include <functional>
#include <mutex>
#include <string>

namespace zvk::emulator {

// One line per thing the device on the wire does (a trigger came, connected, a session
// opened or closed, a fault applied), told whole from any of its threads.
class DeviceEvents
{
public:
    using Sink = std::function<void(const std::string& line)>;

    explicit DeviceEvents(Sink sink);

    void Tell(const std::string& line);

private:
    std::mutex m_mutex;
    Sink m_sink;
};

} // namespace zvk::emulator
