#pragma once

#include <chrono>

#include "net/deadline.h"

namespace zvk::emulator {

// How long the device waits for the desktop's next session request or call: a desktop
// may keep its link idle for long; a stop ends the wait at once.
inline constexpr std::chrono::hours kDesktopIdleLimit{1};
// How long the desktop may take to answer a word of the handshake or a password, or to
// take what the device writes.
inline constexpr std::chrono::seconds kDesktopAnswerLimit{10};

inline Deadline DeadlineAfter(std::chrono::steady_clock::duration wait)
{
    return std::chrono::steady_clock::now() + wait;
}

} // namespace zvk::emulator
