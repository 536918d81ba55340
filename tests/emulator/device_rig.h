#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "emulator/wire_device.h"
#include "net/tcp_connection.h"
#include "scripted_desktop.h"
#include "support/temp_dir.h"
#include "system/result.h"
#include "wire/device_info.h"

namespace zvk::test {

// A device on the wire backed by a handheld folder with the sample lists, and the
// scripted desktop it connects to, both on loopback; the device's event lines are kept.
class WireDeviceTest : public testing::Test
{
public:
    void SetUp() override;
    // A new handheld folder named `name` with the sample lists, and a new desktop.
    void Fresh(const std::string& name);

    // The device's options for this desktop: its own address, a trigger port the system
    // chooses.
    emulator::WireDeviceOptions Options() const;
    void Start(emulator::WireDeviceOptions options);

    // Triggered, its control connection taken and the handshake done (the info in m_info).
    Result<TcpConnection> Connect();
    Result<TcpConnection> AcceptControl();
    // Connected (the control connection in m_control) and session 1 opened.
    Result<TcpConnection> Session();

    std::vector<std::string> Events();
    // Whether an event line begins with `start`.
    bool Told(const std::string& start);

    TempDir m_temp;
    std::filesystem::path m_folder;
    std::optional<ScriptedDesktop> m_desktop;
    Result<wire::DeviceInfo> m_info = Fail("no handshake");
    std::optional<TcpConnection> m_control;
    std::mutex m_eventsMutex;
    std::vector<std::string> m_events;
    std::unique_ptr<emulator::WireDevice> m_device;
};

} // namespace zvk::test
