#pragma once

#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>

#include "net/deadline.h"
#include "net/tcp_connection.h"
#include "system/result.h"

namespace zvk {

// The handheld's link as both of its ends read and write it: u32 words on the control
// connection, frames on a session. Every read is exact and bounded by the wire's limits,
// and ends at its deadline or a stop.

Result<std::uint32_t> ReadWord(TcpConnection& connection, Deadline deadline, std::stop_token stop);
// `size` bytes, at most what the caller has bounded it to.
Result<std::string> ReadBytes(TcpConnection& connection, std::size_t size, Deadline deadline,
                              std::stop_token stop);
Result<> WriteBytes(TcpConnection& connection, std::string_view bytes, Deadline deadline,
                    std::stop_token stop);

// One frame's payload: its header, then the payload it announces, refused over the
// frame limit before anything more is read.
Result<std::string> ReadFrame(TcpConnection& connection, Deadline deadline, std::stop_token stop);
// The payload as one frame, header and payload in one write.
Result<> WriteFrame(TcpConnection& connection, std::string_view payload, Deadline deadline,
                    std::stop_token stop);

} // namespace zvk
