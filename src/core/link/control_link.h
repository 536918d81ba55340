#pragma once

#include <cstdint>
#include <stop_token>
#include <string_view>

#include "net/deadline.h"
#include "net/tcp_connection.h"
#include "system/result.h"
#include "wire/device_info.h"

namespace zvk {

// The desktop's side of the handheld's control connection, one step at a time. Each step
// ends at its deadline or a stop, and a failure names what the handheld did not do.

// Answers the handheld's handshake words until its info block, and reads the block. A
// handheld that sends more than a handshake's words without its info is refused.
Result<wire::DeviceInfo> AnswerHandshake(TcpConnection& control, Deadline deadline,
                                         std::stop_token stop);

// Sends the password the clerk typed on the desktop; true when the handheld took it.
Result<bool> SendPassword(TcpConnection& control, std::u16string_view password,
                          std::uint32_t passwordKey, Deadline deadline, std::stop_token stop);

// Asks the handheld to show its unlock screen to the clerk.
Result<> AskToUnlock(TcpConnection& control, Deadline deadline, std::stop_token stop);
// The handheld's answer to AskToUnlock: true once the clerk unlocked it, which the
// desktop then acknowledges as the handheld expects.
Result<bool> AwaitUnlock(TcpConnection& control, Deadline deadline, std::stop_token stop);

} // namespace zvk
