#include <functional>

#include <gtest/gtest.h>

#include "support/succeeded.h"
#include "wire/control_words.h"
#include "wire/create_process.h"
#include "wire/device_info.h"
#include "wire/file_calls.h"
#include "wire/find_all_files.h"
#include "wire/message_fields.h"
#include "wire/password_words.h"
#include "wire/rapi_frame.h"

namespace zvk::wire {
namespace {

// A decoder, with what it decodes thrown away: only whether it succeeded counts here.
using Decoder = std::function<bool(std::string_view)>;

template <class T> Decoder Accepts(Result<T> (*decode)(std::string_view))
{
    return [decode](std::string_view bytes) { return decode(bytes).has_value(); };
}

struct Message
{
    const char* what;
    std::string whole;
    Decoder decode;
    // Whether what follows its last field is its own, kept and not refused.
    bool keepsWhatFollows = false;
};

DeviceInfo SomeDevice()
{
    DeviceInfo info;
    info.guid[0] = 0x12;
    info.osMajor = 5;
    info.osMinor = 2;
    info.name = u"ZVK01";
    info.platform = "PocketPC";
    info.model = "ZVK-CE";
    info.componentVersions = std::string(16, '\x01');
    info.passwordKey = 0x1234;
    return info;
}

// A call's message, and its decoder with the context it needs.
template <class T, class... Context>
Message Call(const char* what, const T& value, Context... context)
{
    return {what, Encode(value, context...), [context...](std::string_view bytes) {
                return Decode<T>(bytes, context...).has_value();
            }};
}

std::vector<Message> EveryMessage()
{
    const FoundFile file{0x20, {1, 2}, {3, 4}, {5, 6}, 7, 8, 9, u"LIST0001.DAT"};
    return {
        {"frame", EncodeFrame("abc"), Accepts(DecodeFrame)},
        {"session request", EncodeSessionRequest(3), Accepts(DecodeSessionRequest)},
        {"connect-back", EncodeConnectBack(3), Accepts(DecodeConnectBack)},
        {"info length", EncodeWords({99}), Accepts(DecodeInfoLength)},
        {"device info", EncodeDeviceInfo(SomeDevice()), Accepts(DecodeDeviceInfo), true},
        {"password reply", EncodePasswordReply(true), Accepts(DecodePasswordReply)},
        {"password length", EncodePassword(u"ab", 7).substr(0, 2), Accepts(DecodePasswordLength)},
        {"password", EncodePassword(u"ab", 7).substr(2),
         [](std::string_view bytes) { return DecodePassword(bytes, 7).has_value(); }},
        Call("create file request", CreateFileRequest{u"\\a", 1, 2, 3, 4}),
        Call("create file reply", CreateFileReply{0, 5}),
        Call("read request", ReadFileRequest{5, 10}),
        Call("read reply", ReadFileReply{0, true, "0123456789"}, 10u),
        Call("write request", WriteFileRequest{5, "0123456789"}),
        Call("write reply", WriteFileReply{0, true, 10}),
        Call("close request", CloseHandleRequest{5}),
        Call("close reply", BoolReply{0, true}, RapiCommand::CloseHandle),
        Call("file size request", GetFileSizeRequest{5, true}),
        Call("delete request", DeleteFileRequest{u"\\a"}),
        Call("find request", FindAllFilesRequest{u"\\*.dat", 0xFF}),
        Call("find reply", FindAllFilesReply{0, 1, {file, file}}, 0xFFu),
        Call("process request", CreateProcessRequest{u"\\a", u"i", 0}),
        Call("process reply", CreateProcessReply{0, true, 1, 2, 3, 4}),
    };
}

// A message cut anywhere is no message, and one with a byte too many is none either,
// except the info block, which keeps what follows its named fields. The file size reply,
// whose last block a handheld may leave out, is not here
// (RapiCallsTest.AFileSizeReplyMayLeaveOutItsHighHalf).
TEST(DamagedInputTest, AMessageCutShortOrRunningOnIsRefused)
{
    for (const Message& message : EveryMessage()) {
        ASSERT_TRUE(message.decode(message.whole)) << message.what;
        for (std::size_t length = 0; length < message.whole.size(); ++length)
            EXPECT_FALSE(message.decode(message.whole.substr(0, length)))
                << message.what << " cut at " << length;
        EXPECT_EQ(message.decode(message.whole + '\0'), message.keepsWhatFollows)
            << message.what << " running on";
    }
}

// A length or a count beyond its limit, or beyond what the message holds, is refused
// before anything is kept for it.
TEST(DamagedInputTest, ALengthOrCountBeyondItsLimitIsRefusedAndNamed)
{
    const std::uint32_t huge = 0xFFFFFFF0;
    const struct
    {
        Result<std::string_view> decoded;
        std::string detail;
    } frames[] = {
        {DecodeFrame(EncodeWords({kMaxFramePayload + 1})),
         "frame header: payload length at byte 4 is 4194305, over the limit of 4194304"},
        {DecodeFrame(EncodeWords({8, 1})), "frame: payload at byte 0 needs 8 bytes, 4 are there"},
    };
    for (const auto& frame : frames)
        EXPECT_EQ(test::FailureDetail(frame.decoded), frame.detail);

    EXPECT_EQ(
        test::FailureDetail(Decode<ReadFileReply>(EncodeWords({0, 1, 11}) + "0123456789", 10)),
        "CeReadFile reply: bytes read at byte 12 is 11, over the limit of 10");
    EXPECT_FALSE(Decode<ReadFileRequest>(EncodeWords({0x17, 5, kMaxFilePiece + 1})));
    EXPECT_FALSE(Decode<WriteFileRequest>(EncodeWords({0x18, 5, huge})));
    EXPECT_FALSE(Decode<DeleteFileRequest>(EncodeWords({0x2D, huge})));
    EXPECT_FALSE(Decode<DeleteFileRequest>(EncodeWords({0x2D, 0})));
    EXPECT_FALSE(Decode<FindAllFilesReply>(EncodeWords({0, 1, kMaxFoundFiles + 1}), 0));
    EXPECT_FALSE(Decode<FindAllFilesReply>(EncodeWords({0, 1, 3, 4, 1}), kFindSizeLow));
    EXPECT_FALSE(Decode<FindAllFilesReply>(EncodeWords({0, 1, 1, 522}), kFindName));
    EXPECT_FALSE(DecodeInfoLength(EncodeWords({kMaxInfoBytes + 1})));
    EXPECT_FALSE(DecodePasswordLength(EncodeWords({0xFFFF}).substr(0, 2)));

    // At its limit a length is still taken.
    EXPECT_TRUE(FramePayloadLength(EncodeWords({kMaxFramePayload})));
    FindAllFilesReply longName{0, 1, {FoundFile{}}};
    longName.files[0].name = std::u16string(kMaxEntryNameChars - 1, u'n');
    EXPECT_TRUE(Decode<FindAllFilesReply>(Encode(longName, kFindName), kFindName));
}

// Fields that are there but say what no handheld says: a string whose NUL is missing or
// inside it, an optional block's flag that is neither 0 nor 1, or a block of another size.
TEST(DamagedInputTest, AFieldOfTheWrongFormIsRefused)
{
    const std::string a = std::string("\x5C\0a\0", 4);
    EXPECT_FALSE(Decode<DeleteFileRequest>(EncodeWords({0x2D, 6}) + a + std::string(2, 'x')));
    EXPECT_FALSE(
        Decode<DeleteFileRequest>(EncodeWords({0x2D, 6}) + std::string("\x5C\0\0\0a\0", 6)));
    EXPECT_FALSE(Decode<DeleteFileRequest>(EncodeWords({0x2D, 5}) + a + '\0'));
    EXPECT_FALSE(Decode<GetFileSizeRequest>(EncodeWords({0x2E, 1, 2})));
    EXPECT_FALSE(Decode<GetFileSizeRequest>(EncodeWords({0x2E, 1, 1, 8, 0})));
    EXPECT_FALSE(Decode<GetFileSizeRequest>(EncodeWords({0x2E, 1, 1, 4, 1})));
    EXPECT_FALSE(Decode<GetFileSizeReply>(EncodeWords({0, 1, 1, 2, 1, 0})));
    EXPECT_FALSE(DecodeSessionRequest(EncodeWords({5, 5, 1})));
    EXPECT_FALSE(DecodePassword(std::string("a\0b", 3), 0));
}

TEST(DamagedInputTest, AnInfoBlockOverItsNamesLimitsIsRefused)
{
    DeviceInfo device = SomeDevice();
    device.name = std::u16string(kMaxDeviceNameChars + 1, u'x');
    EXPECT_FALSE(DecodeDeviceInfo(EncodeDeviceInfo(device)));
    device = SomeDevice();
    device.componentVersions = std::string((kMaxComponents + 1) * kComponentBytes, '\0');
    EXPECT_FALSE(DecodeDeviceInfo(EncodeDeviceInfo(device)));
}

} // namespace
} // namespace zvk::wire
