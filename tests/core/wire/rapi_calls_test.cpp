#include <gtest/gtest.h>

#include "support/succeeded.h"
#include "wire/control_words.h"
#include "wire/create_process.h"
#include "wire/file_calls.h"
#include "wire/find_all_files.h"
#include "wire/rapi_frame.h"

namespace zvk::wire {
namespace {

using test::FailureDetail;
using test::Succeeded;

std::string Hex(std::string_view hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 3)
        bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return bytes;
}

template <class T, class Encode, class Decode>
void ExpectRoundTrip(const T& value, Encode encode, Decode decode)
{
    const Result<T> decoded = decode(encode(value));
    ASSERT_TRUE(Succeeded(decoded));
    EXPECT_EQ(*decoded, value);
}

TEST(RapiCallsTest, TheExampleFramesAreWrittenAndReadByteForByte)
{
    const std::string closeRequest = Hex("08 00 00 00 19 00 00 00 34 12 00 00 ");
    EXPECT_EQ(EncodeFrame(EncodeCloseHandleRequest({0x1234})), closeRequest);
    const Result<std::string_view> payload = DecodeFrame(closeRequest);
    ASSERT_TRUE(Succeeded(payload));
    EXPECT_EQ(RequestCommand(*payload).value(), RapiCommand::CloseHandle);
    EXPECT_EQ(DecodeCloseHandleRequest(*payload).value(), CloseHandleRequest{0x1234});

    const std::string closeReply = Hex("08 00 00 00 00 00 00 00 01 00 00 00 ");
    EXPECT_EQ(EncodeFrame(EncodeBoolReply({0, true})), closeReply);
    EXPECT_EQ(DecodeBoolReply(DecodeFrame(closeReply).value(), RapiCommand::CloseHandle).value(),
              (BoolReply{0, true}));

    const std::string deleteRequest = Hex("0E 00 00 00 2D 00 00 00 06 00 00 00 5C 00 61 00 00 00 ");
    EXPECT_EQ(EncodeFrame(EncodeDeleteFileRequest({u"\\a"})), deleteRequest);
    EXPECT_EQ(DecodeDeleteFileRequest(DecodeFrame(deleteRequest).value()).value().name, u"\\a");
}

// The order of the fields, which a round trip alone would not see.
TEST(RapiCallsTest, EachRequestPutsItsFieldsInTheCallsOrder)
{
    EXPECT_EQ(EncodeCreateFileRequest({u"\\a", 0x80000000, 1, 3, 0x80, 0}),
              EncodeWords({0x16, 6}) + Hex("5C 00 61 00 00 00 ") +
                  EncodeWords({0x80000000, 1, 3, 0x80, 0}));
    EXPECT_EQ(EncodeReadFileRequest({7, 100}), EncodeWords({0x17, 7, 100}));
    EXPECT_EQ(EncodeWriteFileRequest({7, "AB"}), EncodeWords({0x18, 7, 2}) + "AB");
    EXPECT_EQ(EncodeGetFileSizeRequest({7, true}), EncodeWords({0x2E, 7, 1, 4, 0}));
    EXPECT_EQ(EncodeGetFileSizeRequest({7, false}), EncodeWords({0x2E, 7, 0}));
    EXPECT_EQ(EncodeFindAllFilesRequest({u"\\a", 0xA0}),
              EncodeWords({0x1A, 6}) + Hex("5C 00 61 00 00 00 ") + EncodeWords({0xA0}));
    EXPECT_EQ(EncodeCreateProcessRequest({u"\\a", std::nullopt, 0x10}),
              EncodeWords({0x2A, 6}) + Hex("5C 00 61 00 00 00 ") +
                  EncodeWords({0, 0, 0, 0, 0x10, 0, 0, 0}));
}

TEST(RapiCallsTest, EachReplyPutsItsFieldsInTheCallsOrder)
{
    EXPECT_EQ(EncodeCreateFileReply({2, 0xFFFFFFFF}), EncodeWords({2, 0xFFFFFFFF}));
    EXPECT_EQ(EncodeReadFileReply({0, true, "xyz"}), EncodeWords({0, 1, 3}) + "xyz");
    EXPECT_EQ(EncodeWriteFileReply({112, false, 5}), EncodeWords({112, 0, 5}));
    EXPECT_EQ(EncodeGetFileSizeReply({0, 300, 0}), EncodeWords({0, 300, 1, 4, 1, 0}));
    EXPECT_EQ(EncodeGetFileSizeReply({0, 300, std::nullopt}), EncodeWords({0, 300, 0}));
    EXPECT_EQ(EncodeCreateProcessReply({0, true, 11, 12, 13, 14}),
              EncodeWords({0, 1, 11, 12, 13, 14}));
}

TEST(RapiCallsTest, EveryRequestAndReplyComesBackAsItWent)
{
    ExpectRoundTrip(CreateFileRequest{u"\\ZVK_CE\\Import\\Kôň.dat", 0x40000000, 0, 2, 0x80, 0},
                    EncodeCreateFileRequest, DecodeCreateFileRequest);
    ExpectRoundTrip(CreateFileReply{0, 0x2A}, EncodeCreateFileReply, DecodeCreateFileReply);
    ExpectRoundTrip(ReadFileRequest{9, 16384}, EncodeReadFileRequest, DecodeReadFileRequest);
    ExpectRoundTrip(ReadFileReply{0, true, std::string("\0\xFF\x80", 3)}, EncodeReadFileReply,
                    [](std::string_view payload) { return DecodeReadFileReply(payload, 3); });
    ExpectRoundTrip(WriteFileRequest{9, std::string(100, '\0')}, EncodeWriteFileRequest,
                    DecodeWriteFileRequest);
    ExpectRoundTrip(WriteFileReply{0, true, 100}, EncodeWriteFileReply, DecodeWriteFileReply);
    ExpectRoundTrip(CloseHandleRequest{9}, EncodeCloseHandleRequest, DecodeCloseHandleRequest);
    ExpectRoundTrip(BoolReply{6, false}, EncodeBoolReply, [](std::string_view payload) {
        return DecodeBoolReply(payload, RapiCommand::DeleteFile);
    });
    for (const bool wantsHigh : {false, true})
        ExpectRoundTrip(GetFileSizeRequest{9, wantsHigh}, EncodeGetFileSizeRequest,
                        DecodeGetFileSizeRequest);
    for (const std::optional<std::uint32_t> high : {std::optional<std::uint32_t>(), {1u}})
        ExpectRoundTrip(GetFileSizeReply{0, 12, high}, EncodeGetFileSizeReply,
                        DecodeGetFileSizeReply);
    ExpectRoundTrip(DeleteFileRequest{u"\\LIST0001.DAT"}, EncodeDeleteFileRequest,
                    DecodeDeleteFileRequest);
    ExpectRoundTrip(FindAllFilesRequest{u"\\*.dat", kFindName | kFindSizeLow},
                    EncodeFindAllFilesRequest, DecodeFindAllFilesRequest);
    ExpectRoundTrip(CreateProcessRequest{u"\\ZVK_CE\\Slave.exe", u"i", 0},
                    EncodeCreateProcessRequest, DecodeCreateProcessRequest);
    ExpectRoundTrip(CreateProcessRequest{std::nullopt, std::nullopt, 4}, EncodeCreateProcessRequest,
                    DecodeCreateProcessRequest);
    ExpectRoundTrip(CreateProcessReply{0, true, 0x100, 0x200, 0x300, 0x400},
                    EncodeCreateProcessReply, DecodeCreateProcessReply);
}

// Each flag brings its own field, in the order of the entry, and nothing else.
TEST(RapiCallsTest, AFoundFileHoldsTheFieldsItsFlagsAskFor)
{
    FoundFile file{0x20, {1, 2}, {3, 4}, {5, 6}, 7, 8, 9, u"A.DAT"};
    const std::uint32_t allFlags = 0xFF;
    const std::string name = Hex("41 00 2E 00 44 00 41 00 54 00 00 00 ");
    EXPECT_EQ(EncodeFindAllFilesReply({0, 1, {file}}, allFlags),
              EncodeWords({0, 1, 1, 12, 0x20, 1, 2, 3, 4, 5, 6, 7, 8, 9}) + name);
    EXPECT_EQ(EncodeFindAllFilesReply({0, 1, {file}}, kFindName | kFindSizeLow),
              EncodeWords({0, 1, 1, 12, 8}) + name);
    EXPECT_EQ(EncodeFindAllFilesReply({0, 1, {file, file}}, kFindSizeHigh),
              EncodeWords({0, 1, 2, 7, 7}));

    const FindAllFilesReply two{0, 1, {file, file}};
    EXPECT_EQ(DecodeFindAllFilesReply(EncodeFindAllFilesReply(two, allFlags), allFlags).value(),
              two);
    FoundFile sizeOnly;
    sizeOnly.sizeLow = 8;
    EXPECT_EQ(
        DecodeFindAllFilesReply(EncodeFindAllFilesReply({0, 1, {file}}, kFindSizeLow), kFindSizeLow)
            .value()
            .files,
        std::vector<FoundFile>{sizeOnly});
}

TEST(RapiCallsTest, AFoundNameIsReadWithOrWithoutItsNul)
{
    const std::string withoutNul = EncodeWords({0, 1, 1, 4}) + Hex("41 00 42 00 ");
    EXPECT_EQ(DecodeFindAllFilesReply(withoutNul, kFindName).value().files.at(0).name, u"AB");
    const std::string nulInside = EncodeWords({0, 1, 1, 6}) + Hex("41 00 00 00 42 00 ");
    EXPECT_NE(FailureDetail(DecodeFindAllFilesReply(nulInside, kFindName)), "");
}

// A handheld without the optional block of the high size is read too; so is one that
// says it has no value for it.
TEST(RapiCallsTest, AFileSizeReplyMayLeaveOutItsHighHalf)
{
    for (const std::string& payload :
         {EncodeWords({0, 300}), EncodeWords({0, 300, 0}), EncodeWords({0, 300, 1, 4, 0})}) {
        const Result<GetFileSizeReply> reply = DecodeGetFileSizeReply(payload);
        ASSERT_TRUE(Succeeded(reply));
        EXPECT_EQ(reply->sizeLow, 300u);
        EXPECT_FALSE(reply->sizeHigh.has_value());
    }
}

TEST(RapiCallsTest, ARequestOfAnotherCallOrAnUnknownOneIsNamed)
{
    EXPECT_EQ(FailureDetail(DecodeCloseHandleRequest(EncodeReadFileRequest({1, 2}))),
              "CeCloseHandle request: command at byte 4 is 0x17, not CeCloseHandle");
    EXPECT_EQ(FailureDetail(RequestCommand(EncodeWords({0x43}))),
              "request: command 0x43 is no call this handheld serves");
}

} // namespace
} // namespace zvk::wire
