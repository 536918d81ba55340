#include "emulator/device_events.h"

#include <utility>

namespace zvk::emulator {

DeviceEvents::DeviceEvents(Sink sink) : m_sink(std::move(sink)) {}

void DeviceEvents::Tell(const std::string& line)
{
    const std::lock_guard lock(m_mutex);
    if (m_sink)
        m_sink(line);
}

} // namespace zvk::emulator
