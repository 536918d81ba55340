#include "link/control_link.h"

#include <string>

#include "link/frame_io.h"
#include "wire/control_words.h"
#include "wire/password_words.h"

namespace zvk {
namespace {

// The handshake has three words before the info; a few more are let pass, as words the
// desktop does not know are, but a handheld that never comes to its info is not waited on.
constexpr int kMostHandshakeWords = 16;

} // namespace

Result<wire::DeviceInfo> AnswerHandshake(TcpConnection& control, Deadline deadline,
                                         std::stop_token stop)
{
    for (int i = 0; i < kMostHandshakeWords; ++i) {
        Result<std::uint32_t> word = ReadWord(control, deadline, stop);
        if (!word)
            return Unexpected(std::move(word).error());
        if (*word == wire::kHandheldInfo) {
            Result<std::string> lengthBytes = ReadBytes(control, wire::kWordBytes, deadline, stop);
            if (!lengthBytes)
                return Unexpected(std::move(lengthBytes).error());
            Result<std::uint32_t> length = wire::DecodeInfoLength(*lengthBytes);
            if (!length)
                return Unexpected(std::move(length).error());
            Result<std::string> block = ReadBytes(control, *length, deadline, stop);
            if (!block)
                return Unexpected(std::move(block).error());
            return wire::DecodeDeviceInfo(*block);
        }
        const std::string reply = wire::DesktopReplyTo(*word);
        if (!reply.empty())
            if (Result<> sent = WriteBytes(control, reply, deadline, stop); !sent)
                return Unexpected(std::move(sent).error());
    }
    return Fail("the handheld sent " + std::to_string(kMostHandshakeWords) +
                " handshake words without its info");
}

Result<bool> SendPassword(TcpConnection& control, std::u16string_view password,
                          std::uint32_t passwordKey, Deadline deadline, std::stop_token stop)
{
    const std::string encoded = wire::EncodePassword(password, passwordKey);
    if (Result<> sent = WriteBytes(control, encoded, deadline, stop); !sent)
        return Unexpected(std::move(sent).error());
    Result<std::string> reply = ReadBytes(control, wire::kPasswordReplyBytes, deadline, stop);
    if (!reply)
        return Unexpected(std::move(reply).error());
    return wire::DecodePasswordReply(*reply);
}

Result<> AskToUnlock(TcpConnection& control, Deadline deadline, std::stop_token stop)
{
    return WriteBytes(control, wire::EncodeUnlockRequest(), deadline, stop);
}

Result<bool> AwaitUnlock(TcpConnection& control, Deadline deadline, std::stop_token stop)
{
    Result<std::uint32_t> answer = ReadWord(control, deadline, stop);
    if (!answer)
        return Unexpected(std::move(answer).error());
    if (*answer != wire::kUnlockedReply)
        return false;
    if (Result<> sent = WriteBytes(control, wire::EncodeUnlockAcknowledgement(), deadline, stop);
        !sent)
        return Unexpected(std::move(sent).error());
    return true;
}

} // namespace zvk
