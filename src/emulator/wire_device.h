#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <list>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "device/clock.h"
#include "device/handheld_emulator.h"
#include "emulator/device_control.h"
#include "emulator/device_events.h"
#include "emulator/device_faults.h"
#include "emulator/disk_space.h"
#include "net/endpoint.h"
#include "net/udp_socket.h"
#include "system/result.h"
#include "wire/password_words.h"

namespace zvk::emulator {

inline constexpr std::uint16_t kTriggerPort = 5679;
inline constexpr std::uint16_t kDesktopPort = 990;

struct WireDeviceOptions
{
    // The folder that plays the handheld's storage and program, as on the folder link.
    std::filesystem::path folder;
    // The device's own address: the trigger is received there and its connections leave
    // from it. Port 0 for the trigger: one the system chooses (WireDevice::Trigger).
    IPv4Address deviceAddress{127, 0, 0, 1};
    std::uint16_t triggerPort = kTriggerPort;
    // Where the desktop listens: by default the address the trigger came from.
    std::optional<IPv4Address> desktopAddress;
    std::uint16_t desktopPort = kDesktopPort;
    // What its info block tells (a name of at most 31 characters, an ASCII model).
    std::u16string name = u"ZVK-EMULATOR";
    std::string model = "ZVK Device Emulator";
    std::uint32_t osMajor = 5; // Windows Mobile 6
    std::uint32_t osMinor = 2;
    wire::PasswordStyle passwordStyle = wire::PasswordStyle::None;
    // Where its handheld takes its time from (the export's delay, emulator.ini's delays):
    // the system's steady clock unless a test gives its own.
    Clock* clock = nullptr;
    std::u16string password; // typed on the desktop, for PasswordStyle::OnDesktop
    DeviceFaults faults;
};

// A handheld on the wire, backed by a folder: it waits for the desktop's trigger on its
// own address, connects to the desktop's port, runs the control connection and serves
// each session the desktop asks for on a thread of its own. After a control connection
// ends it waits for the next trigger. Every wait ends at its limit or at Stop; the
// destructor stops it and joins its threads. Each thing it does is told on `events`.
class WireDevice
{
public:
    WireDevice(WireDeviceOptions options, DeviceEvents::Sink events);
    ~WireDevice();
    WireDevice(const WireDevice&) = delete;
    WireDevice& operator=(const WireDevice&) = delete;

    // Binds the trigger's port and starts; a failure when it cannot be bound, or when the
    // device is to connect without a trigger and no desktop address is given.
    Result<> Start();
    // Ends every connection and wait, and returns once its threads have ended.
    void Stop();

    // Where the trigger is received: the port the system chose when 0 was asked for.
    const Endpoint& Trigger() const;
    // The folder emulator behind it, which every session's calls reach.
    HandheldEmulator& Handheld();

private:
    struct SessionThread
    {
        std::atomic<bool> ended = false;
        std::jthread thread;
    };

    void Run(std::stop_token stop);
    std::optional<Endpoint> AwaitTrigger(std::stop_token stop);
    void RunControl(const Endpoint& desktop, std::stop_token stop);
    void OpenSession(std::uint32_t id, const Endpoint& desktop);
    void ServeSessionFor(std::uint32_t id, const Endpoint& desktop, std::stop_token stop);

    const WireDeviceOptions m_options;
    DeviceEvents m_events;
    HandheldEmulator m_handheld;
    DiskSpace m_disk;
    ControlSettings m_control;
    std::optional<UdpSocket> m_trigger;
    Endpoint m_triggerEndpoint;
    std::mutex m_sessionsMutex;
    std::list<SessionThread> m_sessions;
    std::jthread m_main;
};

} // namespace zvk::emulator
