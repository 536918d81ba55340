#include "device_rig.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "device/handheld_selection.h"
#include "support/succeeded.h"

namespace zvk::test {

using namespace std::chrono_literals;

void WireDeviceTest::SetUp()
{
    Fresh("handheld");
}

void WireDeviceTest::Fresh(const std::string& name)
{
    m_folder = m_temp.Path() / name;
    ASSERT_TRUE(Succeeded(PrepareHandheldFolder(m_folder, ZVK_SAMPLE_DIR)));
    Result<ScriptedDesktop> desktop = ScriptedDesktop::Listen();
    ASSERT_TRUE(Succeeded(desktop));
    m_desktop.emplace(std::move(desktop).value());
}

emulator::WireDeviceOptions WireDeviceTest::Options() const
{
    emulator::WireDeviceOptions options;
    options.folder = m_folder;
    options.deviceAddress = DeviceAddress();
    options.triggerPort = 0;
    options.desktopPort = m_desktop->Port();
    return options;
}

void WireDeviceTest::Start(emulator::WireDeviceOptions options)
{
    m_device =
        std::make_unique<emulator::WireDevice>(std::move(options), [this](const std::string& line) {
            const std::lock_guard lock(m_eventsMutex);
            m_events.push_back(line);
        });
    ASSERT_TRUE(Succeeded(m_device->Start()));
}

Result<TcpConnection> WireDeviceTest::Connect()
{
    if (Result<> triggered = m_desktop->Trigger(m_device->Trigger()); !triggered)
        return Unexpected(std::move(triggered).error());
    return AcceptControl();
}

Result<TcpConnection> WireDeviceTest::AcceptControl()
{
    Result<TcpConnection> control = m_desktop->Accept(10s);
    if (!control)
        return control;
    m_info = ScriptedDesktop::Handshake(*control);
    if (!m_info)
        return Unexpected(m_info.error());
    return control;
}

Result<TcpConnection> WireDeviceTest::Session()
{
    Result<TcpConnection> control = Connect();
    if (!control)
        return control;
    m_control.emplace(std::move(control).value());
    return m_desktop->OpenSession(*m_control, 1, 10s);
}

std::vector<std::string> WireDeviceTest::Events()
{
    const std::lock_guard lock(m_eventsMutex);
    return m_events;
}

bool WireDeviceTest::Told(const std::string& start)
{
    const std::vector<std::string> events = Events();
    return std::any_of(events.begin(), events.end(),
                       [&start](const std::string& line) { return line.starts_with(start); });
}

} // namespace zvk::test
