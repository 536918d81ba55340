#include "emulator/device_arguments.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "../cli/zvk_process.h"
#include "scripted_desktop.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "wire/find_all_files.h"

namespace zvk {
namespace {

using namespace std::chrono_literals;
using emulator::ParseDeviceArguments;

TEST(DeviceArgumentsTest, EveryOptionReachesTheDevice)
{
    const Result<emulator::WireDeviceOptions> options =
        ParseDeviceArguments({"--folder",
                              "dir",
                              "--device-ip",
                              "169.254.2.1",
                              "--host",
                              "169.254.2.2",
                              "--host-port",
                              "1990",
                              "--trigger-port",
                              "15679",
                              "--name",
                              "Sklad 2",
                              "--model",
                              "MC3190",
                              "--os",
                              "6.0",
                              "--password-on-desktop",
                              "Heslo7",
                              "--fault",
                              "stall=3",
                              "--fault",
                              "connect-back-never"});
    ASSERT_TRUE(test::Succeeded(options));
    EXPECT_EQ(options->folder, "dir");
    EXPECT_EQ(options->deviceAddress, (IPv4Address{169, 254, 2, 1}));
    EXPECT_EQ(options->desktopAddress, (IPv4Address{169, 254, 2, 2}));
    EXPECT_EQ(options->desktopPort, 1990);
    EXPECT_EQ(options->triggerPort, 15679);
    EXPECT_EQ(options->name, u"Sklad 2");
    EXPECT_EQ(options->model, "MC3190");
    EXPECT_EQ(options->osMajor, 6u);
    EXPECT_EQ(options->osMinor, 0u);
    EXPECT_EQ(options->passwordStyle, wire::PasswordStyle::OnDesktop);
    EXPECT_EQ(options->password, u"Heslo7");
    EXPECT_EQ(options->faults.stallAt, 3u);
    EXPECT_TRUE(options->faults.connectBackNever);
    EXPECT_FALSE(options->faults.connectBackDelay);

    const Result<emulator::WireDeviceOptions> defaults =
        ParseDeviceArguments({"--device-ip", "127.0.0.2", "--folder", "d", "--fault", "disk-full=0",
                              "--password-on-handheld"});
    ASSERT_TRUE(test::Succeeded(defaults));
    EXPECT_EQ(defaults->triggerPort, 5679);
    EXPECT_EQ(defaults->desktopPort, 990);
    EXPECT_FALSE(defaults->desktopAddress);
    EXPECT_EQ(defaults->faults.diskFullAfterBytes, 0u);
    EXPECT_EQ(defaults->passwordStyle, wire::PasswordStyle::OnHandheld);
}

TEST(DeviceArgumentsTest, AWrongArgumentIsNamed)
{
    const std::vector<std::string> required{"--folder", "d", "--device-ip", "127.0.0.2"};
    const auto with = [&required](std::vector<std::string> more) {
        more.insert(more.begin(), required.begin(), required.end());
        return more;
    };
    const struct
    {
        std::vector<std::string> arguments;
        std::string failure;
    } cases[] = {
        {{"--device-ip", "127.0.0.2"},
         "--folder DIR is required: the folder that plays the handheld"},
        {{"--folder", "d"},
         "--device-ip IP is required: the address the device receives its trigger on"},
        {with({"--host", "127.0.0.1:990"}),
         "--host: not an IPv4 address (such as 169.254.2.1): 127.0.0.1:990"},
        {with({"--host-port", "65536"}), "--host-port: not a whole number up to 65535: 65536"},
        {with({"--os", "6"}), "--os: MAJOR.MINOR, such as 5.2: 6"},
        {with({"--name", std::string(32, 'n')}),
         "--name: from 1 to 31 characters: " + std::string(32, 'n')},
        {with({"--model", "Čítačka"}), "--model: at most 255 printable ASCII characters: Čítačka"},
        {with({"--password-on-handheld", "--password-on-desktop", "x"}),
         "give one password option, --password-on-desktop PW or --password-on-handheld"},
        {with({"--fault", "stall"}), "fault 'stall' needs =N, N the number of the call"},
        {with({"--fault", "stall=-1"}),
         "fault 'stall=-1': N, the number of the call, must be a whole number up to 4294967295"},
        {with({"--fault", "no-trigger=1"}), "fault 'no-trigger=1' takes no value"},
        {with({"--fault", "slow"}),
         "unknown fault 'slow' (known: connect-back-late=N, connect-back-never, "
         "drop-after=N, short-reply=N, stall=N, read-error=N, disk-full=N, refuse-password, "
         "no-trigger)"},
        {with({"--trigger-port"}), "--trigger-port needs a value"},
        {with({"-v"}), "unknown argument: -v"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(test::FailureDetail(ParseDeviceArguments(c.arguments)), c.failure);
}

// The program's standard output once it holds `text`, within a few seconds.
std::string AwaitOut(const cli::ZvkProcess& process, const std::string& text)
{
    for (int tries = 0; tries < 200 && process.Out().find(text) == std::string::npos; ++tries)
        std::this_thread::sleep_for(50ms);
    return process.Out();
}

TEST(DeviceProgramTest, BadArgumentsAreOneLineAndStatusTwo)
{
    const test::TempDir temp;
    cli::ZvkProcess program({"--folder", "x", "--device-ip", "300.1.1.1"}, temp.Path(), "bad",
                            {ZVK_DEVICE_EMULATOR_PATH, temp.Path()});
    EXPECT_EQ(program.WaitFor(30s), 2);
    EXPECT_EQ(program.Err(), "zvk_device_emulator: --device-ip: not an IPv4 address (such as "
                             "169.254.2.1): 300.1.1.1\n");
    EXPECT_EQ(program.Out(), "");
}

TEST(DeviceProgramTest, ItPreparesItsFolderAndServesADesktopUntilStopped)
{
    const test::TempDir temp;
    Result<test::ScriptedDesktop> desktop = test::ScriptedDesktop::Listen();
    ASSERT_TRUE(test::Succeeded(desktop));
    const IPv4Address device = test::DeviceAddress();
    const std::string deviceText = EndpointText(Endpoint{device, 0});
    cli::ZvkProcess program({"--folder", (temp.Path() / "new").string(), "--device-ip",
                             deviceText.substr(0, deviceText.find(':')), "--trigger-port", "0",
                             "--host-port", std::to_string(desktop->Port())},
                            temp.Path(), "run", {ZVK_DEVICE_EMULATOR_PATH, temp.Path()});
    // Its trigger's port is the one the system chose, which it tells.
    const std::string waiting = "waiting for a trigger on ";
    const std::string out = AwaitOut(program, waiting);
    const std::size_t at = out.find(waiting);
    ASSERT_NE(at, std::string::npos) << out << program.Err();
    const std::size_t from = at + waiting.size();
    const Result<Endpoint> trigger = ParseEndpoint(out.substr(from, out.find('\n', from) - from));
    ASSERT_TRUE(test::Succeeded(trigger));
    EXPECT_EQ(trigger->address, device);

    ASSERT_TRUE(test::Succeeded(desktop->Trigger(*trigger)));
    Result<TcpConnection> control = desktop->Accept(10s);
    ASSERT_TRUE(test::Succeeded(control));
    ASSERT_TRUE(test::Succeeded(test::ScriptedDesktop::Handshake(*control)));
    Result<TcpConnection> session = desktop->OpenSession(*control, 1, 10s);
    ASSERT_TRUE(test::Succeeded(session));
    const Result<wire::FindAllFilesReply> found = test::Call<wire::FindAllFilesReply>(
        *session, wire::FindAllFilesRequest{u"\\ZVK_CE\\Data\\*.dat", wire::kFindName},
        wire::kFindName);
    ASSERT_TRUE(test::Succeeded(found));
    EXPECT_EQ(found->files.size(), 4u);
    AwaitOut(program, "session 1 opened");
#ifdef _WIN32
    program.Kill();
#else
    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitFor(30s), 0) << program.Err();
#endif
    EXPECT_NE(program.Out().find("trigger from 127.0.0.1:"), std::string::npos) << program.Out();
    EXPECT_NE(program.Out().find("session 1 opened"), std::string::npos) << program.Out();
}

} // namespace
} // namespace zvk
