#pragma once

#include <stop_token>
#include <string>

#include "device/remote_api.h"
#include "emulator/device_events.h"
#include "emulator/device_faults.h"
#include "emulator/disk_space.h"
#include "net/tcp_connection.h"

namespace zvk::emulator {

// Serves one Remote API session on `connection` (its connect-back id already sent): one
// request frame at a time, answered by `handheld`, until the desktop closes it, a request
// cannot be read or is not served, a session fault of `faults` ends it, or a stop.
// Returns why it ended, in a few words. `name` ("session 3") opens its event lines.
std::string ServeSession(TcpConnection& connection, RemoteApi& handheld, const DeviceFaults& faults,
                         DiskSpace& disk, DeviceEvents& events, const std::string& name,
                         std::stop_token stop);

} // namespace zvk::emulator
