#pragma once

#include <cstdint>
#include <filesystem>

namespace zvk {

// The file at the top of an emulated handheld's folder that makes it misbehave on
// purpose, for tests and demonstrations; every key is optional.
inline constexpr std::string_view kEmulatorSettingsFile = "emulator.ini";

struct EmulatorSettings
{
    bool connected = true;            // Connected=0: CeRapiInit fails
    std::int64_t connectDelayMs = 0;  // ConnectDelayMs: how long CeRapiInit blocks
    std::int64_t exportDelayMs = 500; // ExportDelayMs: how long the export takes
    bool exportMarker = true;         // ExportMarker=0: the export never signals it is done
    // FailReadAfterBytes=N: reading a file gives its first N bytes, in whatever pieces they
    // are asked for, and then fails.
    std::int64_t failReadAfterBytes = -1;
    std::int64_t readDelayMs = 0; // ReadDelayMs: how long each read of a file takes
    // The simulated link: every Remote API call a round trip of CallDelayMs, and the bytes of
    // files at BandwidthBytesPerSecond (0: at once).
    std::int64_t callDelayMs = 0;
    std::int64_t bandwidthBytesPerSecond = 0;
};

EmulatorSettings ReadEmulatorSettings(const std::filesystem::path& handheldFolder);

} // namespace zvk
