#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>

#include "emulator/device_events.h"
#include "net/tcp_connection.h"
#include "wire/device_info.h"

namespace zvk::emulator {

// The key a device guarded by a password typed on the desktop sends in its info block.
// Its low byte, the one the password is XORed with, is not 0: no byte of an encoded
// password's text is then 0, which tells the desktop's 2-byte length field from the
// 8-byte one that some desktops send (the 2 bytes, then 6 zeros).
inline constexpr std::uint32_t kDesktopPasswordKey = 0x5EC2E7A5;

struct ControlSettings
{
    // What the device tells of itself; its password key says how it is guarded.
    wire::DeviceInfo info;
    // The password the desktop must give, when it is typed there.
    std::u16string password;
    // Every password is refused, and a device unlocked on itself stays locked.
    bool refusePassword = false;
};

// The handheld's side of the control connection, on `connection` to the desktop's port:
// hello (0, answered 3), greeting (6, answered 7 8 4 5), the info block, the password as
// the info's key asks for it, then each session request ([5,4,id]) handed to
// `openSession` with its id, until the desktop closes the connection, says what the
// device does not expect, or a stop. Returns why it ended, in a few words.
std::string RunDeviceControl(TcpConnection& connection, const ControlSettings& settings,
                             const std::function<void(std::uint32_t id)>& openSession,
                             DeviceEvents& events, std::stop_token stop);

} // namespace zvk::emulator
