#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk::wire {

// Every message of a Remote API session, in both directions, is a frame: a u32 length,
// then that many bytes of payload. Nothing the desktop and the handheld exchange comes
// near this size (a file moves in pieces of at most kMaxFilePiece), so a larger length
// is a damaged or foreign stream, refused before anything is read or kept for it.
inline constexpr std::size_t kFrameHeaderBytes = 4;
inline constexpr std::uint32_t kMaxFramePayload = 4 * 1024 * 1024;

std::string EncodeFrame(std::string_view payload);

// The payload length a frame's header announces; a failure when `header` is not 4 bytes
// or announces more than kMaxFramePayload.
Result<std::uint32_t> FramePayloadLength(std::string_view header);

// The payload of `bytes` holding one whole frame and nothing after it.
Result<std::string_view> DecodeFrame(std::string_view bytes);

} // namespace zvk::wire
