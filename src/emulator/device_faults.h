#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "system/result.h"

namespace zvk::emulator {

// What the device on the wire does wrong on purpose, so that a desktop can be seen to
// lose nothing when a real handheld does the same. Each is off unless set; the folder's
// own emulator.ini (Connected=0, ConnectDelayMs, FailReadAfterBytes, ReadDelayMs, ...)
// still makes the handheld behind it misbehave as on the folder link.
struct DeviceFaults
{
    // The connection back for a session comes this late.
    std::optional<std::chrono::milliseconds> connectBackDelay = {};
    // No connection comes back for a session at all.
    bool connectBackNever = false;
    // Each session ends, its connection closed, once it answered this many calls.
    std::optional<std::uint32_t> dropAfterCalls = {};
    // The reply to a session's call of this number (the first is 1) goes out in part,
    // and then the connection closes.
    std::optional<std::uint32_t> shortReplyAt = {};
    // The call of this number gets no reply: the session waits until the desktop gives up.
    std::optional<std::uint32_t> stallAt = {};
    // Reading any file gives its first N bytes, then fails (the folder's FailReadAfterBytes).
    std::optional<std::int64_t> readErrorAfterBytes = {};
    // The handheld's storage takes N more bytes of writes, then CeWriteFile fails with
    // ERROR_DISK_FULL and writes nothing more.
    std::optional<std::uint64_t> diskFullAfterBytes = {};
    // Every password the desktop gives is refused, and the handheld is never unlocked.
    bool refusePassword = false;
    // The device connects to the desktop at once, before any trigger came.
    bool connectWithoutTrigger = false;
};

// Sets the fault that "NAME" or "NAME=N" names (as the device emulator's --fault takes
// it); a failure names what is wrong with the text.
Result<> ApplyFault(std::string_view text, DeviceFaults& faults);

} // namespace zvk::emulator
