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

template <class T, class... Context> void ExpectRoundTrip(const T& value, const Context&... context)
{
    const Result<T> decoded = Decode<T>(Encode(value, context...), context...);
    ASSERT_TRUE(Succeeded(decoded));
    EXPECT_EQ(*decoded, value);
}

TEST(RapiCallsTest, TheExampleFramesAreWrittenAndReadByteForByte)
{
    const std::string closeRequest = Hex("08 00 00 00 19 00 00 00 34 12 00 00 ");
    EXPECT_EQ(EncodeFrame(Encode(CloseHandleRequest{0x1234})), closeRequest);
    const Result<std::string_view> payload = DecodeFrame(closeRequest);
    ASSERT_TRUE(Succeeded(payload));
    EXPECT_EQ(RequestCommand(*payload).value(), RapiCommand::CloseHandle);
    EXPECT_EQ(Decode<CloseHandleRequest>(*payload).value(), CloseHandleRequest{0x1234});

    const std::string closeReply = Hex("08 00 00 00 00 00 00 00 01 00 00 00 ");
    EXPECT_EQ(EncodeFrame(Encode(BoolReply{0, true}, RapiCommand::CloseHandle)), closeReply);
    EXPECT_EQ(Decode<BoolReply>(DecodeFrame(closeReply).value(), RapiCommand::CloseHandle).value(),
              (BoolReply{0, true}));

    // Any word but 0 is TRUE.
    EXPECT_TRUE(Decode<BoolReply>(EncodeWords({0, 2}), RapiCommand::DeleteFile)->succeeded);

    const std::string deleteRequest = Hex("0E 00 00 00 2D 00 00 00 06 00 00 00 5C 00 61 00 00 00 ");
    EXPECT_EQ(EncodeFrame(Encode(DeleteFileRequest{u"\\a"})), deleteRequest);
    EXPECT_EQ(Decode<DeleteFileRequest>(DecodeFrame(deleteRequest).value()).value().name, u"\\a");
}

// The order of the fields, which a round trip alone would not see.
TEST(RapiCallsTest, EachRequestPutsItsFieldsInTheCallsOrder)
{
    EXPECT_EQ(Encode(CreateFileRequest{u"\\a", 0x80000000, 1, 3, 0x80}),
              EncodeWords({0x16, 6}) + Hex("5C 00 61 00 00 00 ") +
                  EncodeWords({0x80000000, 1, 3, 0x80, 0}));
    EXPECT_EQ(Encode(ReadFileRequest{7, 100}), EncodeWords({0x17, 7, 100}));
    EXPECT_EQ(Encode(WriteFileRequest{7, "AB"}), EncodeWords({0x18, 7, 2}) + "AB");
    EXPECT_EQ(Encode(GetFileSizeRequest{7, true}), EncodeWords({0x2E, 7, 1, 4, 0}));
    EXPECT_EQ(Encode(GetFileSizeRequest{7, false}), EncodeWords({0x2E, 7, 0}));
    EXPECT_EQ(Encode(FindAllFilesRequest{u"\\a", 0xA0}),
              EncodeWords({0x1A, 6}) + Hex("5C 00 61 00 00 00 ") + EncodeWords({0xA0}));
    EXPECT_EQ(Encode(CreateProcessRequest{u"\\a", std::nullopt, 0x10}),
              EncodeWords({0x2A, 6}) + Hex("5C 00 61 00 00 00 ") +
                  EncodeWords({0, 0, 0, 0, 0x10, 0, 0, 0}));
}

TEST(RapiCallsTest, EachReplyPutsItsFieldsInTheCallsOrder)
{
    EXPECT_EQ(Encode(CreateFileReply{2, 0xFFFFFFFF}), EncodeWords({2, 0xFFFFFFFF}));
    EXPECT_EQ(Encode(ReadFileReply{0, true, "xyz"}), EncodeWords({0, 1, 3}) + "xyz");
    EXPECT_EQ(Encode(WriteFileReply{112, false, 5}), EncodeWords({112, 0, 5}));
    EXPECT_EQ(Encode(GetFileSizeReply{0, 300, 0}), EncodeWords({0, 300, 1, 4, 1, 0}));
    EXPECT_EQ(Encode(GetFileSizeReply{0, 300, std::nullopt}), EncodeWords({0, 300, 0}));
    EXPECT_EQ(Encode(CreateProcessReply{0, true, 11, 12, 13, 14}),
              EncodeWords({0, 1, 11, 12, 13, 14}));
}

TEST(RapiCallsTest, EveryRequestAndReplyComesBackAsItWent)
{
    ExpectRoundTrip(CreateFileRequest{u"\\ZVK_CE\\Import\\Kôň.dat", 0x40000000, 0, 2, 0x80});
    ExpectRoundTrip(CreateFileReply{0, 0x2A});
    ExpectRoundTrip(ReadFileRequest{9, 16384});
    ExpectRoundTrip(ReadFileReply{0, true, std::string("\0\xFF\x80", 3)}, 3u);
    ExpectRoundTrip(WriteFileRequest{9, std::string(100, '\0')});
    ExpectRoundTrip(WriteFileReply{0, true, 100});
    ExpectRoundTrip(CloseHandleRequest{9});
    ExpectRoundTrip(BoolReply{6, false}, RapiCommand::DeleteFile);
    for (const bool wantsHigh : {false, true})
        ExpectRoundTrip(GetFileSizeRequest{9, wantsHigh});
    for (const std::optional<std::uint32_t> high : {std::optional<std::uint32_t>(), {1u}})
        ExpectRoundTrip(GetFileSizeReply{0, 12, high});
    ExpectRoundTrip(DeleteFileRequest{u"\\LIST0001.DAT"});
    ExpectRoundTrip(FindAllFilesRequest{u"\\*.dat", kFindName | kFindSizeLow});
    ExpectRoundTrip(CreateProcessRequest{u"\\ZVK_CE\\Slave.exe", u"i", 0});
    ExpectRoundTrip(CreateProcessRequest{std::nullopt, std::nullopt, 4});
    ExpectRoundTrip(CreateProcessReply{0, true, 0x100, 0x200, 0x300, 0x400});
}

// Each flag brings its own field, in the order of the entry, and nothing else.
TEST(RapiCallsTest, AFoundFileHoldsTheFieldsItsFlagsAskFor)
{
    FoundFile file{0x20, {1, 2}, {3, 4}, {5, 6}, 7, 8, 9, u"A.DAT"};
    const std::uint32_t allFlags = 0xFF;
    const std::string name = Hex("41 00 2E 00 44 00 41 00 54 00 00 00 ");
    EXPECT_EQ(Encode(FindAllFilesReply{0, 1, {file}}, allFlags),
              EncodeWords({0, 1, 1, 12, 0x20, 1, 2, 3, 4, 5, 6, 7, 8, 9}) + name);
    EXPECT_EQ(Encode(FindAllFilesReply{0, 1, {file}}, kFindName | kFindSizeLow),
              EncodeWords({0, 1, 1, 12, 8}) + name);
    EXPECT_EQ(Encode(FindAllFilesReply{0, 1, {file, file}}, kFindSizeHigh),
              EncodeWords({0, 1, 2, 7, 7}));

    const FindAllFilesReply two{0, 1, {file, file}};
    EXPECT_EQ(Decode<FindAllFilesReply>(Encode(two, allFlags), allFlags).value(), two);
    FoundFile sizeOnly;
    sizeOnly.sizeLow = 8;
    EXPECT_EQ(Decode<FindAllFilesReply>(Encode(FindAllFilesReply{0, 1, {file}}, kFindSizeLow),
                                        kFindSizeLow)
                  .value()
                  .files,
              std::vector<FoundFile>{sizeOnly});
}

TEST(RapiCallsTest, AFoundNameIsReadWithOrWithoutItsNul)
{
    const std::string withoutNul = EncodeWords({0, 1, 1, 4}) + Hex("41 00 42 00 ");
    EXPECT_EQ(Decode<FindAllFilesReply>(withoutNul, kFindName).value().files.at(0).name, u"AB");
    const std::string nulInside = EncodeWords({0, 1, 1, 6}) + Hex("41 00 00 00 42 00 ");
    EXPECT_NE(FailureDetail(Decode<FindAllFilesReply>(nulInside, kFindName)), "");
}

// A handheld without the optional block of the high size is read too; so is one that
// says it has no value for it.
TEST(RapiCallsTest, AFileSizeReplyMayLeaveOutItsHighHalf)
{
    for (const std::string& payload :
         {EncodeWords({0, 300}), EncodeWords({0, 300, 0}), EncodeWords({0, 300, 1, 4, 0})}) {
        const Result<GetFileSizeReply> reply = Decode<GetFileSizeReply>(payload);
        ASSERT_TRUE(Succeeded(reply));
        EXPECT_EQ(reply->sizeLow, 300u);
        EXPECT_FALSE(reply->sizeHigh.has_value());
    }
}

TEST(RapiCallsTest, ARequestOfAnotherCallOrAnUnknownOneIsNamed)
{
    EXPECT_EQ(FailureDetail(Decode<CloseHandleRequest>(Encode(ReadFileRequest{1, 2}))),
              "CeCloseHandle request: command at byte 4 is 0x17, not CeCloseHandle");
    EXPECT_EQ(FailureDetail(RequestCommand(EncodeWords({0x43}))),
              "request: command 0x43 is no call this handheld serves");
}

} // namespace
} // namespace zvk::wire
