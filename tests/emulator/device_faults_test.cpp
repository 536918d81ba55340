#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "device/emulator_settings.h"
#include "device/handheld_contract.h"
#include "device_rig.h"
#include "support/file_bytes.h"
#include "support/succeeded.h"
#include "wire/file_calls.h"
#include "wire/find_all_files.h"

namespace zvk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class DeviceFaultsTest : public test::WireDeviceTest
{
};

// What the desktop sees of a device with one fault, in a few words.
using Seen = std::function<std::string(DeviceFaultsTest& rig)>;

struct FaultCase
{
    const char* fault;       // as --fault gives it
    const char* emulatorIni; // the folder's own settings, or nothing
    Seen seen;
    const char* expected;
};

std::string Outcome(bool succeeded, const char* yes, const char* no)
{
    return succeeded ? yes : no;
}

std::string SessionOutcome(DeviceFaultsTest& rig, std::chrono::milliseconds within)
{
    Result<TcpConnection> control = rig.Connect();
    if (!control)
        return "no control connection";
    rig.m_control.emplace(std::move(control).value());
    return Outcome(rig.m_desktop->OpenSession(*rig.m_control, 1, within).has_value(),
                   "session opened", "no session");
}

const std::uint32_t kFindFlags = wire::kFindName;

// A reply that never came, one that stopped in its middle, or a connection closed before
// it: the three ways a desktop sees a call fail.
std::string HowItFailed(const std::string& detail)
{
    if (detail.find("no answer within the time limit") != std::string::npos)
        return "no reply";
    if (detail.find("closed the connection after 0 of 4 bytes") != std::string::npos ||
        detail.find("reset") != std::string::npos)
        return "closed";
    return detail.find("closed the connection") != std::string::npos ? "cut short" : detail;
}

// Each call a search, until one fails: how many the desktop had answered, and how the
// next one failed.
std::string SearchesAnswered(DeviceFaultsTest& rig)
{
    Result<TcpConnection> session = rig.Session();
    if (!session)
        return "no session";
    for (int calls = 0; calls < 5; ++calls) {
        const Result<std::string> reply = test::CallRaw(
            *session, wire::Encode(wire::FindAllFilesRequest{u"\\*.dat", kFindFlags}), 1500ms);
        if (!reply)
            return std::to_string(calls) + " answered, then " + HowItFailed(reply.error().detail);
    }
    return "all answered";
}

std::string ReadOfAList(DeviceFaultsTest& rig)
{
    Result<TcpConnection> session = rig.Session();
    if (!session)
        return "no session";
    const Result<wire::CreateFileReply> opened = test::Call<wire::CreateFileReply>(
        *session, wire::CreateFileRequest{u"\\ZVK_CE\\Data\\LIST0001.DAT", kGenericRead,
                                          kFileShareRead, kOpenExisting, kFileAttributeNormal});
    if (!opened)
        return "not opened";
    std::string seen;
    for (int piece = 0; piece < 3; ++piece) {
        const Result<wire::ReadFileReply> read =
            test::Call<wire::ReadFileReply>(*session, wire::ReadFileRequest{opened->handle, 100});
        if (!read)
            return seen + "no reply";
        seen += (read->succeeded ? "read "
                                 : "failed with " + std::to_string(read->lastError) + " after ") +
                std::to_string(read->data.size()) + "; ";
    }
    return seen;
}

std::string WriteOnAFullDisk(DeviceFaultsTest& rig)
{
    Result<TcpConnection> session = rig.Session();
    if (!session)
        return "no session";
    const std::u16string path = HandheldImportPath(u"NEW.DAT");
    const Result<wire::CreateFileReply> opened = test::Call<wire::CreateFileReply>(
        *session,
        wire::CreateFileRequest{path, kGenericWrite, 0, kCreateAlways, kFileAttributeNormal});
    if (!opened)
        return "not opened";
    std::string seen;
    for (const char* piece : {"1234", "5678"}) {
        const Result<wire::WriteFileReply> written = test::Call<wire::WriteFileReply>(
            *session, wire::WriteFileRequest{opened->handle, piece});
        if (!written)
            return seen + "no reply";
        seen +=
            (written->succeeded ? "wrote "
                                : "failed with " + std::to_string(written->lastError) + " after ") +
            std::to_string(written->bytesWritten) + "; ";
    }
    static_cast<void>(test::Call<wire::BoolReply>(
        *session, wire::CloseHandleRequest{opened->handle}, wire::RapiCommand::CloseHandle));
    return seen + "kept " + test::FileBytes(*EmulatedPath(rig.m_folder, path));
}

std::string LateConnectBack(DeviceFaultsTest& rig)
{
    Result<TcpConnection> control = rig.Connect();
    if (!control)
        return "no control connection";
    // Past the link's one-second watchdog, and then it comes all the same.
    const bool inTime = rig.m_desktop->OpenSession(*control, 1, 1000ms).has_value();
    const bool later = rig.m_desktop->AcceptSession(1, 10s).has_value();
    return Outcome(inTime, "in time", "not in time") + ", " + Outcome(later, "later", "never");
}

std::string ConnectWithoutTrigger(DeviceFaultsTest& rig)
{
    return Outcome(rig.AcceptControl().has_value(), "connected untriggered", "nothing");
}

TEST_F(DeviceFaultsTest, EachFaultIsSeenByTheDesktopAsARealHandheldWouldShowIt)
{
    const FaultCase cases[] = {
        {"connect-back-never", "", [](auto& rig) { return SessionOutcome(rig, 1500ms); },
         "no session"},
        {"connect-back-late=1300", "", LateConnectBack, "not in time, later"},
        // The folder's own settings hold on the wire as on the folder link.
        {"", "[Emulator]\nConnected=0\n", [](auto& rig) { return SessionOutcome(rig, 1500ms); },
         "no session"},
        {"", "", [](auto& rig) { return SessionOutcome(rig, 10s); }, "session opened"},
        {"drop-after=2", "", SearchesAnswered, "2 answered, then closed"},
        {"short-reply=3", "", SearchesAnswered, "2 answered, then cut short"},
        {"stall=2", "", SearchesAnswered, "1 answered, then no reply"},
        {"", "", SearchesAnswered, "all answered"},
        {"read-error=130", "", ReadOfAList, "read 100; read 30; failed with 30 after 0; "},
        {"", "[Emulator]\nFailReadAfterBytes=150\n", ReadOfAList,
         "read 100; read 50; failed with 30 after 0; "},
        {"disk-full=6", "", WriteOnAFullDisk, "wrote 4; failed with 112 after 2; kept 123456"},
        {"", "", WriteOnAFullDisk, "wrote 4; wrote 4; kept 12345678"},
        {"no-trigger", "", ConnectWithoutTrigger, "connected untriggered"},
    };
    int row = 0;
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " " + c.emulatorIni);
        Fresh("handheld" + std::to_string(++row));
        if (*c.emulatorIni != '\0')
            test::WriteFileBytes(m_folder / kEmulatorSettingsFile, c.emulatorIni);
        emulator::WireDeviceOptions options = Options();
        options.desktopAddress = test::kDesktopAddress;
        if (*c.fault != '\0') {
            ASSERT_TRUE(test::Succeeded(emulator::ApplyFault(c.fault, options.faults)));
        }
        m_control.reset();
        Start(options);
        EXPECT_EQ(c.seen(*this), c.expected);
        if (*c.fault != '\0') {
            EXPECT_TRUE(Told("session 1: fault: ") || Told("fault: "))
                << testing::PrintToString(Events());
        }
        m_device.reset();
    }
}

} // namespace
} // namespace zvk
