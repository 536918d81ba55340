#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "system/result.h"
#include "wire/device_info.h"

namespace zvk::wire {

// The control connection: the handheld connects to the desktop and the two exchange u32
// words. The handheld says hello (0), the desktop answers 3; it greets (6), the desktop
// answers 7, 8, 4, 5; it sends its info (4), then the info block's length and the block,
// which the desktop does not answer. Then, once no password stands in the way, the
// desktop asks on it for each Remote API session.
inline constexpr std::uint32_t kHandheldHello = 0;
inline constexpr std::uint32_t kHandheldGreeting = 6;
inline constexpr std::uint32_t kHandheldInfo = 4;
inline constexpr std::size_t kWordBytes = 4;

// The words `words` as they go on the link.
std::string EncodeWords(std::initializer_list<std::uint32_t> words);
// One u32 word of `bytes`, which must be exactly its 4 bytes; `what` names it in failures.
Result<std::uint32_t> DecodeWord(std::string_view bytes, std::string_view what);

// What the desktop sends back on a word of the handheld's handshake: nothing for the info
// word (its length and block follow) nor for a word it does not know.
std::string DesktopReplyTo(std::uint32_t handheldWord);

// The handheld's whole info message: the info word, the block's length, the block.
std::string EncodeInfoMessage(const DeviceInfo& info);
// The block length that follows the info word, at most kMaxInfoBytes.
Result<std::uint32_t> DecodeInfoLength(std::string_view bytes);

// The desktop asks for a Remote API session: 5, 4, then the request's id (the first is
// 1). The handheld opens a new connection to the desktop's port and first sends the id
// alone, so that the desktop knows which request it answers.
inline constexpr std::uint32_t kSessionRequestWord = 5;
inline constexpr std::size_t kSessionRequestBytes = 3 * kWordBytes;
std::string EncodeSessionRequest(std::uint32_t id);
Result<std::uint32_t> DecodeSessionRequest(std::string_view bytes);
std::string EncodeConnectBack(std::uint32_t id);
Result<std::uint32_t> DecodeConnectBack(std::string_view bytes);

} // namespace zvk::wire
