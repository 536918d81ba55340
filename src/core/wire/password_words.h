#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk::wire {

// How the handheld's info block says it is guarded, by its password key.
enum class PasswordStyle
{
    None,       // key 0: the handheld is open
    OnDesktop,  // any other key: the clerk types the password on the desktop (Windows Mobile 5)
    OnHandheld, // 0xFFFFFFFF: the clerk unlocks the handheld itself (Windows Mobile 6)
};
inline constexpr std::uint32_t kUnlockOnHandheldKey = 0xFFFFFFFF;

PasswordStyle PasswordStyleOf(std::uint32_t passwordKey);

// A password typed on the desktop goes on the control connection as a u16 byte length,
// then its UTF-16LE text with its NUL, every byte XORed with the key's low byte. The
// handheld answers with a u16: non-zero accepted, zero refused (the clerk may try again).
inline constexpr std::size_t kMaxPasswordChars = 255;
inline constexpr std::size_t kPasswordLengthBytes = 2;
inline constexpr std::size_t kPasswordReplyBytes = 2;
// `password` has at most kMaxPasswordChars characters.
std::string EncodePassword(std::u16string_view password, std::uint32_t passwordKey);
// The length that opens an encoded password, at most that of kMaxPasswordChars.
Result<std::uint16_t> DecodePasswordLength(std::string_view bytes);
// The password of the `length` bytes after the length.
Result<std::u16string> DecodePassword(std::string_view encoded, std::uint32_t passwordKey);
std::string EncodePasswordReply(bool accepted);
Result<bool> DecodePasswordReply(std::string_view bytes);

// Unlocking on the handheld: the desktop asks it to show its unlock screen (u32 8) and
// reads a u32, 0 once the clerk unlocked it; the desktop then sends u32 0 and u32 0x0C,
// which the handheld's own desktop software sends too and without which it falters later.
inline constexpr std::uint32_t kShowUnlockScreen = 8;
inline constexpr std::uint32_t kUnlockedReply = 0;
std::string EncodeUnlockRequest();
std::string EncodeUnlockAcknowledgement();

} // namespace zvk::wire
