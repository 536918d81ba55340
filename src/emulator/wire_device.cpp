#include "emulator/wire_device.h"

#include <cassert>
#include <utility>
#include <vector>

#include "device/clock.h"
#include "emulator/device_waits.h"
#include "emulator/session_server.h"
#include "link/frame_io.h"
#include "wire/control_words.h"

namespace zvk::emulator {
namespace {

constexpr std::uint8_t kTriggerByte = 0x7F;
// A trigger socket that fails is tried again after this pause, never in a busy loop.
constexpr std::chrono::seconds kPauseAfterFailure{1};
// An ARM processor, as the handhelds' are.
constexpr std::uint32_t kArmProcessor = 2577;

std::uint32_t PasswordKeyOf(wire::PasswordStyle style)
{
    switch (style) {
    case wire::PasswordStyle::None:
        return 0;
    case wire::PasswordStyle::OnDesktop:
        return kDesktopPasswordKey;
    case wire::PasswordStyle::OnHandheld:
        return wire::kUnlockOnHandheldKey;
    }
    return 0;
}

ControlSettings ControlSettingsOf(const WireDeviceOptions& options)
{
    wire::DeviceInfo info;
    // A GUID of its own, the same for every run, as a handheld keeps its own.
    info.guid = {0x5A, 0x56, 0x4B, 0x45, 0x4D, 0x55, 0x4C, 0x41,
                 0x54, 0x4F, 0x52, 0x00, 0x00, 0x00, 0x00, 0x01};
    info.osMajor = options.osMajor;
    info.osMinor = options.osMinor;
    info.name = options.name;
    info.cpuType = kArmProcessor;
    info.platform = "PocketPC";
    info.model = options.model;
    info.passwordKey = PasswordKeyOf(options.passwordStyle);
    return {info, options.password, options.faults.refusePassword};
}

HandheldEmulator::SettingsAdjustment ReadFaultOf(const DeviceFaults& faults)
{
    if (!faults.readErrorAfterBytes)
        return {};
    return [bytes = *faults.readErrorAfterBytes](EmulatorSettings& settings) {
        settings.failReadAfterBytes = bytes;
    };
}

} // namespace

WireDevice::WireDevice(WireDeviceOptions options, DeviceEvents::Sink events)
    : m_options(std::move(options)), m_events(std::move(events)),
      m_handheld(m_options.folder, m_options.clock ? *m_options.clock : SteadyClock(),
                 ReadFaultOf(m_options.faults)),
      m_disk(m_options.faults.diskFullAfterBytes), m_control(ControlSettingsOf(m_options))
{}

WireDevice::~WireDevice()
{
    Stop();
}

Result<> WireDevice::Start()
{
    assert(!m_main.joinable());
    if (m_options.faults.connectWithoutTrigger && !m_options.desktopAddress)
        return Fail("the device cannot connect without a trigger when no desktop address is "
                    "given");
    Result<UdpSocket> trigger =
        UdpSocket::Bind(Endpoint{m_options.deviceAddress, m_options.triggerPort});
    if (!trigger)
        return Unexpected(std::move(trigger).error());
    m_triggerEndpoint = trigger->Local();
    m_trigger.emplace(std::move(trigger).value());
    m_main = std::jthread([this](std::stop_token stop) { Run(stop); });
    return {};
}

void WireDevice::Stop()
{
    if (!m_main.joinable())
        return;
    // The control connection first, so that no session is asked for after this.
    m_main.request_stop();
    m_main.join();
    const std::lock_guard lock(m_sessionsMutex);
    for (SessionThread& session : m_sessions)
        session.thread.request_stop();
    // A session waiting for the handheld to answer (ConnectDelayMs) gives up.
    m_handheld.CeRapiUninit();
    m_sessions.clear();
}

const Endpoint& WireDevice::Trigger() const
{
    return m_triggerEndpoint;
}

HandheldEmulator& WireDevice::Handheld()
{
    return m_handheld;
}

void WireDevice::Run(std::stop_token stop)
{
    const DeviceFaults& faults = m_options.faults;
    if (faults.readErrorAfterBytes)
        m_events.Tell("fault: reading a file fails after " +
                      std::to_string(*faults.readErrorAfterBytes) + " bytes");
    if (faults.diskFullAfterBytes)
        m_events.Tell("fault: the disk is full after " +
                      std::to_string(*faults.diskFullAfterBytes) + " bytes more");
    m_events.Tell("waiting for a trigger on " + EndpointText(m_triggerEndpoint));
    if (faults.connectWithoutTrigger) {
        m_events.Tell("fault: connecting without a trigger");
        RunControl(Endpoint{*m_options.desktopAddress, m_options.desktopPort}, stop);
    }
    while (!stop.stop_requested())
        if (const std::optional<Endpoint> desktop = AwaitTrigger(stop))
            RunControl(*desktop, stop);
}

std::optional<Endpoint> WireDevice::AwaitTrigger(std::stop_token stop)
{
    const Deadline deadline = DeadlineAfter(kDesktopIdleLimit);
    const Result<Datagram> datagram = m_trigger->Receive(deadline, stop);
    // A long wait that ran out is no event: the device goes on waiting.
    if (stop.stop_requested() || (!datagram && std::chrono::steady_clock::now() >= deadline))
        return std::nullopt;
    if (!datagram) {
        m_events.Tell("no trigger: " + datagram.error().detail);
        SteadyClock().WaitFor(kPauseAfterFailure, stop);
        return std::nullopt;
    }
    if (datagram->bytes != std::vector<std::uint8_t>{kTriggerByte}) {
        m_events.Tell("ignored a datagram of " + std::to_string(datagram->bytes.size()) +
                      " bytes from " + EndpointText(datagram->sender));
        return std::nullopt;
    }
    m_events.Tell("trigger from " + EndpointText(datagram->sender));
    return Endpoint{m_options.desktopAddress.value_or(datagram->sender.address),
                    m_options.desktopPort};
}

void WireDevice::RunControl(const Endpoint& desktop, std::stop_token stop)
{
    Result<TcpConnection> connection = TcpConnection::ConnectFrom(
        m_options.deviceAddress, desktop, DeadlineAfter(kDesktopAnswerLimit), stop);
    if (!connection) {
        m_events.Tell(connection.error().detail);
        return;
    }
    m_events.Tell("connected to " + EndpointText(desktop));
    const std::string why = RunDeviceControl(
        *connection, m_control, [&](std::uint32_t id) { OpenSession(id, desktop); }, m_events,
        stop);
    m_events.Tell("control connection closed: " + why);
}

void WireDevice::OpenSession(std::uint32_t id, const Endpoint& desktop)
{
    const std::lock_guard lock(m_sessionsMutex);
    m_sessions.remove_if([](const SessionThread& session) { return session.ended.load(); });
    SessionThread& session = m_sessions.emplace_back();
    session.thread = std::jthread([this, id, desktop, &session](std::stop_token stop) {
        ServeSessionFor(id, desktop, stop);
        session.ended = true;
    });
}

void WireDevice::ServeSessionFor(std::uint32_t id, const Endpoint& desktop, std::stop_token stop)
{
    const std::string name = "session " + std::to_string(id);
    m_events.Tell(name + " requested");
    const DeviceFaults& faults = m_options.faults;
    if (faults.connectBackNever) {
        m_events.Tell(name + ": fault: no connection back");
        return;
    }
    if (faults.connectBackDelay) {
        m_events.Tell(name + ": fault: connecting back " +
                      std::to_string(faults.connectBackDelay->count()) + " ms late");
        if (!SteadyClock().WaitFor(*faults.connectBackDelay, stop))
            return;
    }
    // As on the folder link: its emulator.ini may keep the handheld from answering.
    if (stop.stop_requested() || m_handheld.CeRapiInit() != kS_OK) {
        m_events.Tell(name + ": the handheld does not answer, no connection back");
        return;
    }
    Result<TcpConnection> connection = TcpConnection::ConnectFrom(
        m_options.deviceAddress, desktop, DeadlineAfter(kDesktopAnswerLimit), stop);
    if (!connection) {
        m_events.Tell(name + ": " + connection.error().detail);
        return;
    }
    const Result<> sent = WriteBytes(*connection, wire::EncodeConnectBack(id),
                                     DeadlineAfter(kDesktopAnswerLimit), stop);
    if (!sent) {
        m_events.Tell(name + ": " + sent.error().detail);
        return;
    }
    m_events.Tell(name + " opened");
    const std::string why =
        ServeSession(*connection, m_handheld, faults, m_disk, m_events, name, stop);
    m_events.Tell(name + " closed: " + why);
}

} // namespace zvk::emulator
