#include "device/emulator_settings.h"

#include "config/profile_strings.h"

namespace zvk {

EmulatorSettings ReadEmulatorSettings(const std::filesystem::path& handheldFolder)
{
    const std::filesystem::path file = handheldFolder / kEmulatorSettingsFile;
    constexpr std::string_view kSection = "Emulator";
    const EmulatorSettings defaults;
    EmulatorSettings settings;
    settings.connected = GetProfileInt(file, kSection, "Connected", 1) != 0;
    settings.connectDelayMs =
        GetProfileInt(file, kSection, "ConnectDelayMs", static_cast<int>(defaults.connectDelayMs));
    settings.exportDelayMs =
        GetProfileInt(file, kSection, "ExportDelayMs", static_cast<int>(defaults.exportDelayMs));
    settings.exportMarker = GetProfileInt(file, kSection, "ExportMarker", 1) != 0;
    settings.failReadAfterBytes = GetProfileInt(file, kSection, "FailReadAfterBytes", -1);
    settings.readDelayMs =
        GetProfileInt(file, kSection, "ReadDelayMs", static_cast<int>(defaults.readDelayMs));
    settings.callDelayMs =
        GetProfileInt(file, kSection, "CallDelayMs", static_cast<int>(defaults.callDelayMs));
    settings.bandwidthBytesPerSecond =
        GetProfileInt(file, kSection, "BandwidthBytesPerSecond",
                      static_cast<int>(defaults.bandwidthBytesPerSecond));
    return settings;
}

} // namespace zvk
