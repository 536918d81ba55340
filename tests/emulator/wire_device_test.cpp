#include "emulator/wire_device.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "device_rig.h"
#include "link/frame_io.h"
#include "scripted_desktop.h"
#include "support/file_bytes.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "wire/control_words.h"
#include "wire/create_process.h"
#include "wire/file_calls.h"
#include "wire/find_all_files.h"
#include "wire/password_words.h"

namespace zvk {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using emulator::WireDevice;
using emulator::WireDeviceOptions;
using test::ScriptedDesktop;
using test::WireDeviceTest;

constexpr std::u16string_view kSampleList = u"\\ZVK_CE\\Data\\LIST0001.DAT";

Result<wire::CreateFileReply> Open(TcpConnection& session, std::u16string_view path,
                                   std::uint32_t access, std::uint32_t disposition)
{
    return test::Call<wire::CreateFileReply>(
        session, wire::CreateFileRequest{std::u16string(path), access, kFileShareRead, disposition,
                                         kFileAttributeNormal});
}

// Reads a whole file in the pieces the desktop's workers move, as a desktop reads it.
Result<std::string> ReadWhole(TcpConnection& session, std::u16string_view path)
{
    const Result<wire::CreateFileReply> opened = Open(session, path, kGenericRead, kOpenExisting);
    if (!opened || opened->handle == wire::kWireInvalidHandle)
        return Fail("not opened");
    const Result<wire::GetFileSizeReply> size =
        test::Call<wire::GetFileSizeReply>(session, wire::GetFileSizeRequest{opened->handle, true});
    if (!size)
        return Unexpected(size.error());
    std::string bytes;
    for (;;) {
        const Result<wire::ReadFileReply> piece = test::Call<wire::ReadFileReply>(
            session, wire::ReadFileRequest{opened->handle, kTransferPieceBytes});
        if (!piece || !piece->succeeded)
            return Fail("read failed");
        if (piece->data.empty())
            break;
        bytes += piece->data;
    }
    if (bytes.size() != size->sizeLow || size->sizeHigh != 0u)
        return Fail("the size said " + std::to_string(size->sizeLow));
    const Result<wire::BoolReply> closed = test::Call<wire::BoolReply>(
        session, wire::CloseHandleRequest{opened->handle}, wire::RapiCommand::CloseHandle);
    if (!closed || !closed->succeeded)
        return Fail("not closed");
    return bytes;
}

TEST_F(WireDeviceTest, ATriggeredDeviceIntroducesItselfAndServesSessionsFromItsFolder)
{
    WireDeviceOptions options = Options();
    options.name = u"Pokladnica 7";
    options.model = "MC3190";
    options.osMajor = 6;
    options.osMinor = 0;
    Start(options);

    ASSERT_TRUE(test::Succeeded(m_desktop->Trigger(m_device->Trigger())));
    Result<TcpConnection> control = m_desktop->Accept(10s);
    ASSERT_TRUE(test::Succeeded(control));
    // It connects from its own address, not from whichever the system would pick.
    EXPECT_EQ(control->Peer().address, test::DeviceAddress());
    const Result<wire::DeviceInfo> info = ScriptedDesktop::Handshake(*control);
    ASSERT_TRUE(test::Succeeded(info));
    EXPECT_EQ(info->name, u"Pokladnica 7");
    EXPECT_EQ(info->model, "MC3190");
    EXPECT_EQ(info->osMajor, 6u);
    EXPECT_EQ(info->osMinor, 0u);
    EXPECT_EQ(info->passwordKey, 0u);

    // Two sessions at once, each with its own id.
    Result<TcpConnection> first = m_desktop->OpenSession(*control, 5, 10s);
    ASSERT_TRUE(test::Succeeded(first));
    Result<TcpConnection> second = m_desktop->OpenSession(*control, 6, 10s);
    ASSERT_TRUE(test::Succeeded(second));
    EXPECT_EQ(second->Peer().address, test::DeviceAddress());

    const std::uint32_t flags = wire::kFindName | wire::kFindSizeLow | wire::kFindSizeHigh;
    const Result<wire::FindAllFilesReply> found = test::Call<wire::FindAllFilesReply>(
        *first, wire::FindAllFilesRequest{u"\\ZVK_CE\\Data\\*.dat", flags}, flags);
    ASSERT_TRUE(test::Succeeded(found));
    std::vector<std::string> listed;
    for (const wire::FoundFile& file : found->files)
        listed.push_back(std::string(file.name.begin(), file.name.end()) + " " +
                         std::to_string(file.sizeLow));
    const fs::path lists = m_folder / "ZVK_CE" / "Data";
    std::vector<std::string> expected;
    for (const char* name : {"LIST0001.DAT", "LIST0002.DAT", "LIST0003.DAT", "STARY001.DAT"})
        expected.push_back(std::string(name) + " " + std::to_string(fs::file_size(lists / name)));
    EXPECT_EQ(listed, expected);

    const Result<std::string> list = ReadWhole(*second, kSampleList);
    ASSERT_TRUE(test::Succeeded(list));
    EXPECT_EQ(*list, test::FileBytes(lists / "LIST0001.DAT"));

    const Result<wire::BoolReply> deleted =
        test::Call<wire::BoolReply>(*first, wire::DeleteFileRequest{std::u16string(kSampleList)},
                                    wire::RapiCommand::DeleteFile);
    ASSERT_TRUE(test::Succeeded(deleted));
    EXPECT_TRUE(deleted->succeeded);
    EXPECT_FALSE(fs::exists(lists / "LIST0001.DAT"));
    const Result<wire::CreateFileReply> missing =
        Open(*first, kSampleList, kGenericRead, kOpenExisting);
    ASSERT_TRUE(test::Succeeded(missing));
    EXPECT_EQ(*missing, (wire::CreateFileReply{kErrorFileNotFound, wire::kWireInvalidHandle}));
}

TEST_F(WireDeviceTest, AnUnknownCommandOrADamagedFrameEndsTheSessionWithTheReasonTold)
{
    Start(Options());
    Result<TcpConnection> session = Session();
    ASSERT_TRUE(test::Succeeded(session));
    // Command 0x99, which the device does not serve: no reply, the connection closes.
    EXPECT_FALSE(test::CallRaw(*session, wire::EncodeWords({0x99})));
    Result<TcpConnection> damaged = m_desktop->OpenSession(*m_control, 2, 10s);
    ASSERT_TRUE(test::Succeeded(damaged));
    // A CeCloseHandle with its handle cut off.
    EXPECT_FALSE(test::CallRaw(*damaged, wire::EncodeWords({0x19}).substr(0, 4) + "ab"));
    m_device->Stop();
    EXPECT_TRUE(Told("session 1 closed: request refused: ")) << testing::PrintToString(Events());
    EXPECT_TRUE(Told("session 2 closed: request refused: ")) << testing::PrintToString(Events());
}

TEST_F(WireDeviceTest, ADesktopThatAnswersOutOfTurnIsLeftAndTheNextTriggerConnectsAgain)
{
    Start(Options());
    ASSERT_TRUE(test::Succeeded(m_desktop->Trigger(m_device->Trigger())));
    Result<TcpConnection> control = m_desktop->Accept(10s);
    ASSERT_TRUE(test::Succeeded(control));
    ASSERT_TRUE(test::Succeeded(ReadWord(*control, test::Within(10s), {})));
    ASSERT_TRUE(
        test::Succeeded(WriteBytes(*control, wire::EncodeWords({4}), test::Within(10s), {})));
    EXPECT_FALSE(ReadWord(*control, test::Within(10s), {}));
    EXPECT_TRUE(Told("control connection closed: the desktop answered 4 to 0, not 3"))
        << testing::PrintToString(Events());

    EXPECT_TRUE(test::Succeeded(Connect()));
}

TEST_F(WireDeviceTest, ANamedDesktopIsReachedWhoeverSentTheTrigger)
{
    // The named desktop listens on another address of this computer, where it has one.
    const IPv4Address other{127, 0, 0, 3};
    Result<ScriptedDesktop> named = ScriptedDesktop::Listen(other);
    if (!named)
        GTEST_SKIP() << "this computer has no third loopback address";
    WireDeviceOptions options = Options();
    options.desktopAddress = other;
    options.desktopPort = named->Port();
    Start(options);
    ASSERT_TRUE(test::Succeeded(m_desktop->Trigger(m_device->Trigger())));
    Result<TcpConnection> control = named->Accept(10s);
    ASSERT_TRUE(test::Succeeded(control));
    EXPECT_TRUE(test::Succeeded(ScriptedDesktop::Handshake(*control)));
}

} // namespace
} // namespace zvk
