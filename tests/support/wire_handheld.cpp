#include "support/wire_handheld.h"

#include <gtest/gtest.h>

#include "emulator/wire_device.h"
#include "link/handheld_connection.h"
#include "link/wire_remote_api.h"
#include "support/free_port.h"
#include "system/environment_path.h"

namespace fs = std::filesystem;

namespace zvk::test {
namespace {

constexpr IPv4Address kLoopback{127, 0, 0, 1};

// The sessions of a WireHandheld that they keep alive.
class OwnWireHandheldSessions final : public SessionSource
{
public:
    OwnWireHandheldSessions(const fs::path& folder, Clock& clock, emulator::DeviceFaults faults)
        : m_handheld(folder, clock, std::move(faults)),
          m_connection(NamedLinkOptions(m_handheld.Link()))
    {}

    Result<TcpConnection> OpenSession(std::stop_token stop) override
    {
        return m_connection.OpenSession(stop);
    }

    std::string ClaimName() const override
    {
        return m_connection.ClaimName();
    }

    HandheldEmulator& Emulator()
    {
        return m_handheld.Emulator();
    }

private:
    WireHandheld m_handheld;
    HandheldConnection m_connection;
};

} // namespace

bool OverTheWire()
{
    return EnvironmentPath("ZVK_TEST_LINK") == "wire";
}

WireHandheld::WireHandheld(const fs::path& folder, Clock& clock, emulator::DeviceFaults faults)
{
    const Endpoint desktop = FreePort(kLoopback);
    emulator::WireDeviceOptions options;
    options.folder = folder;
    options.clock = &clock;
    options.deviceAddress = kLoopback;
    options.triggerPort = 0;
    options.desktopAddress = kLoopback;
    options.desktopPort = desktop.port;
    options.faults = std::move(faults);
    m_device =
        std::make_unique<emulator::WireDevice>(std::move(options), [](const std::string&) {});
    if (Result<> started = m_device->Start(); !started)
        ADD_FAILURE() << "the device on the wire did not start: " << started.error().detail;
    m_link = NamedLink{desktop, m_device->Trigger()};
}

WireHandheld::~WireHandheld() = default;

const NamedLink& WireHandheld::Link() const
{
    return m_link;
}

HandheldEmulator& WireHandheld::Emulator()
{
    return m_device->Handheld();
}

std::unique_ptr<RemoteApi> LinkTo(const WireHandheld& handheld)
{
    return std::make_unique<WireRemoteApi>(
        std::make_unique<HandheldConnection>(NamedLinkOptions(handheld.Link())), fs::path());
}

TestHandheld OpenWireHandheld(const fs::path& folder, Clock& clock, emulator::DeviceFaults faults)
{
    auto sessions = std::make_unique<OwnWireHandheldSessions>(folder, clock, std::move(faults));
    HandheldEmulator* plays = &sessions->Emulator();
    return {std::make_unique<WireRemoteApi>(std::move(sessions), fs::path()), plays};
}

TestHandheld OpenTestHandheld(const fs::path& folder, Clock& clock)
{
    if (OverTheWire())
        return OpenWireHandheld(folder, clock);
    auto emulator = std::make_unique<HandheldEmulator>(folder, clock);
    HandheldEmulator* plays = emulator.get();
    return {std::move(emulator), plays};
}

} // namespace zvk::test
