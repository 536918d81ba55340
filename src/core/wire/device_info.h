#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk::wire {

// The longest info block the handheld may announce. Its named fields take under a
// kilobyte; the rest allows for data after them that the desktop only keeps.
inline constexpr std::uint32_t kMaxInfoBytes = 64 * 1024;
// The limits of the handheld's own names within it.
inline constexpr std::uint32_t kMaxDeviceNameChars = 31;
inline constexpr std::uint32_t kMaxInfoNameBytes = 255;
inline constexpr std::uint32_t kMaxComponents = 6;
inline constexpr std::size_t kComponentBytes = 8;

// What the handheld tells of itself when it connects: who it is, its system, and whether
// a password guards it.
struct DeviceInfo
{
    std::array<std::uint8_t, 16> guid{};
    std::uint32_t osMajor = 0; // Windows Mobile 5: 5.1; 6 to 6.5: 5.2; CE 6: 6.0
    std::uint32_t osMinor = 0;
    std::u16string name; // the device name the clerk gave it
    std::uint32_t version = 0;
    std::uint32_t cpuType = 0;
    std::uint32_t flags = 0;
    std::uint32_t currentPartnerId = 0;
    std::uint32_t id = 0;
    std::string platform; // the first of its platform names ("PocketPC"), ASCII
    std::string model;    // ASCII
    // The components' version data, 8 bytes each, kept as they came.
    std::string componentVersions;
    // 0: no password; 0xFFFFFFFF: unlocked on the handheld; else the key of the password
    // the desktop sends (see password_words.h).
    std::uint32_t passwordKey = 0;
    // Whatever follows the password key, kept as it came.
    std::string extraData;

    friend bool operator==(const DeviceInfo&, const DeviceInfo&) = default;
};

std::string EncodeDeviceInfo(const DeviceInfo& info);
// The fields of an info block (the bytes after its length); a failure names the field
// that is not there or breaks its limit.
Result<DeviceInfo> DecodeDeviceInfo(std::string_view block);

// The GUID as Windows writes it: "{01234567-89AB-CDEF-0123-456789ABCDEF}".
std::string GuidText(const std::array<std::uint8_t, 16>& guid);

} // namespace zvk::wire
