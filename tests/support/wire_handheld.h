#pragma once

#include <filesystem>
#include <memory>

#include "device/clock.h"
#include "device/handheld_emulator.h"
#include "device/remote_api.h"
#include "emulator/device_faults.h"
#include "net/named_link.h"

namespace zvk::emulator {
class WireDevice;
}

namespace zvk::test {

// Whether this run of a transfer test reaches its emulated handheld over the wire, as the
// wire variants of the transfer tests do: CTest sets ZVK_TEST_LINK=wire for them, so that
// one test checks both links and the two cannot drift apart.
bool OverTheWire();

// The folder emulator served over the wire on loopback for as long as it lives: a device
// emulator over `folder` whose handheld takes its time from `clock`, and the link that
// reaches it, as ZVK_LINK names it.
class WireHandheld
{
public:
    WireHandheld(const std::filesystem::path& folder, Clock& clock,
                 emulator::DeviceFaults faults = {});
    ~WireHandheld();
    WireHandheld(const WireHandheld&) = delete;
    WireHandheld& operator=(const WireHandheld&) = delete;

    const NamedLink& Link() const;
    HandheldEmulator& Emulator();

private:
    NamedLink m_link;
    std::unique_ptr<emulator::WireDevice> m_device;
};

// The handheld of a test, and the folder emulator that plays it, for the test to look into.
struct TestHandheld
{
    std::unique_ptr<RemoteApi> link;
    HandheldEmulator* emulator = nullptr;
};

// The desktop's own link to `handheld`, which must outlive it.
std::unique_ptr<RemoteApi> LinkTo(const WireHandheld& handheld);

// The desktop's own link to a WireHandheld over `folder` with `faults`, which the link
// returned keeps alive.
TestHandheld OpenWireHandheld(const std::filesystem::path& folder, Clock& clock,
                              emulator::DeviceFaults faults = {});

// The handheld in `folder` for a test: the folder emulator, or, over the wire, the desktop's
// own link to a WireHandheld over the folder.
TestHandheld OpenTestHandheld(const std::filesystem::path& folder, Clock& clock);

} // namespace zvk::test
