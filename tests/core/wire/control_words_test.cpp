#include <gtest/gtest.h>

#include "support/succeeded.h"
#include "wire/control_words.h"
#include "wire/device_info.h"
#include "wire/password_words.h"

namespace zvk::wire {
namespace {

using test::Succeeded;

TEST(ControlWordsTest, TheDesktopAnswersTheHandshakeWordByWord)
{
    EXPECT_EQ(DesktopReplyTo(kHandheldHello), EncodeWords({3}));
    EXPECT_EQ(DesktopReplyTo(kHandheldGreeting), EncodeWords({7, 8, 4, 5}));
    EXPECT_EQ(DesktopReplyTo(kHandheldInfo), "");
    EXPECT_EQ(DesktopReplyTo(99), "");
    EXPECT_EQ(EncodeWords({7, 0x01020304}), std::string("\x07\0\0\0\x04\x03\x02\x01", 8));
}

TEST(ControlWordsTest, ASessionIsAskedForAndAnsweredByItsId)
{
    EXPECT_EQ(EncodeSessionRequest(2), EncodeWords({5, 4, 2}));
    EXPECT_EQ(DecodeSessionRequest(EncodeSessionRequest(0xABCD)).value(), 0xABCDu);
    EXPECT_FALSE(DecodeSessionRequest(EncodeWords({8, 4, 2})));
    EXPECT_FALSE(DecodeSessionRequest(EncodeWords({5, 8, 2})));
    EXPECT_EQ(EncodeConnectBack(2), EncodeWords({2}));
    EXPECT_EQ(DecodeConnectBack(EncodeWords({0x10002})).value(), 0x10002u);
}

// The info block of a handheld laid out by hand, field after field: the parser finds each
// where it lies, and the block it writes again is the same bytes.
TEST(ControlWordsTest, TheInfoBlockIsReadFieldByFieldAndWrittenAgainAsItCame)
{
    std::string guid;
    for (int i = 0; i < 16; ++i)
        guid.push_back(static_cast<char>(i + 1));
    const std::string name = std::string("Z\0K\0\x01\x01\0\0", 8); // "ZKā", then its NUL
    const std::string block =
        guid + EncodeWords({5, 2, 3}) + name + EncodeWords({10, 11, 12, 13, 14, 10}) +
        std::string("PocketPC\0\0", 10) + EncodeWords({4}) + "ZVK1" + std::string(1, '\0') +
        EncodeWords({1}) + "12345678" + EncodeWords({0xFFFFFFFF}) + "tail";
    const Result<DeviceInfo> info = DecodeDeviceInfo(block);
    ASSERT_TRUE(Succeeded(info));
    EXPECT_EQ(GuidText(info->guid), "{04030201-0605-0807-090A-0B0C0D0E0F10}");
    EXPECT_EQ(info->osMajor, 5u);
    EXPECT_EQ(info->osMinor, 2u);
    EXPECT_EQ(info->name, u"ZK\u0101");
    EXPECT_EQ(info->version, 10u);
    EXPECT_EQ(info->cpuType, 11u);
    EXPECT_EQ(info->flags, 12u);
    EXPECT_EQ(info->currentPartnerId, 13u);
    EXPECT_EQ(info->id, 14u);
    EXPECT_EQ(info->platform, "PocketPC");
    EXPECT_EQ(info->model, "ZVK1");
    EXPECT_EQ(info->componentVersions, "12345678");
    EXPECT_EQ(info->passwordKey, 0xFFFFFFFFu);
    EXPECT_EQ(info->extraData, "tail");
    EXPECT_EQ(EncodeDeviceInfo(*info), block);
    EXPECT_EQ(EncodeInfoMessage(*info),
              EncodeWords({4, static_cast<std::uint32_t>(block.size())}) + block);
}

// A platform name filling its whole field leaves no room for the NULs after it, and still
// comes back.
TEST(ControlWordsTest, NamesAtTheirLimitsComeBack)
{
    DeviceInfo info;
    info.name = std::u16string(kMaxDeviceNameChars, u'n');
    info.platform = std::string(kMaxInfoNameBytes, 'p');
    info.model = std::string(kMaxInfoNameBytes, 'm');
    const Result<DeviceInfo> again = DecodeDeviceInfo(EncodeDeviceInfo(info));
    ASSERT_TRUE(Succeeded(again));
    EXPECT_EQ(*again, info);
}

TEST(ControlWordsTest, ThePasswordKeyTellsWhoUnlocks)
{
    EXPECT_EQ(PasswordStyleOf(0), PasswordStyle::None);
    EXPECT_EQ(PasswordStyleOf(0x1234), PasswordStyle::OnDesktop);
    EXPECT_EQ(PasswordStyleOf(0xFFFFFFFF), PasswordStyle::OnHandheld);
}

// Only the key's low byte masks the text, its NUL included, after a two-byte length.
TEST(ControlWordsTest, APasswordTypedOnTheDesktopGoesMaskedWithItsNul)
{
    EXPECT_EQ(EncodePassword(u"ab", 0x1203), std::string("\x06\0\x62\x03\x61\x03\x03\x03", 8));
    const Result<std::u16string> password =
        DecodePassword(EncodePassword(u"heslo č", 0xA5).substr(kPasswordLengthBytes), 0xA5);
    ASSERT_TRUE(Succeeded(password));
    EXPECT_EQ(*password, u"heslo č");
    EXPECT_EQ(DecodePasswordLength(EncodePassword(u"heslo", 0xA5).substr(0, kPasswordLengthBytes))
                  .value(),
              12);
    EXPECT_EQ(EncodePasswordReply(true), std::string("\x01\0", 2));
    EXPECT_FALSE(DecodePasswordReply(EncodePasswordReply(false)).value());
    EXPECT_TRUE(DecodePasswordReply(std::string("\0\x02", 2)).value());
    EXPECT_EQ(EncodeUnlockRequest(), EncodeWords({8}));
    EXPECT_EQ(EncodeUnlockAcknowledgement(), EncodeWords({0, 0x0C}));
}

} // namespace
} // namespace zvk::wire
