#include "emulator/device_control.h"

#include <algorithm>
#include <utility>

#include "emulator/device_waits.h"
#include "link/frame_io.h"
#include "wire/control_words.h"
#include "wire/password_words.h"
#include "wire/wire_reader.h"

namespace zvk::emulator {
namespace {

// The zeros after the 2 bytes of an 8-byte password length field.
constexpr std::size_t kLongLengthPadding = 6;
// What the device answers when it stays locked: anything but kUnlockedReply.
constexpr std::uint32_t kStillLocked = 1;

std::string WordsText(std::string_view bytes)
{
    std::string text;
    wire::WireReader reader(bytes, "words");
    while (reader.Remaining() >= wire::kWordBytes)
        text += (text.empty() ? "" : " ") + std::to_string(reader.U32("word"));
    return text.empty() ? "nothing" : text;
}

Result<std::string> Read(TcpConnection& connection, std::size_t size, std::stop_token stop)
{
    return ReadBytes(connection, size, DeadlineAfter(kDesktopAnswerLimit), stop);
}

Result<> Write(TcpConnection& connection, std::string_view bytes, std::stop_token stop)
{
    return WriteBytes(connection, bytes, DeadlineAfter(kDesktopAnswerLimit), stop);
}

// Sends one word of the handshake and reads the desktop's answer, which must be the one
// the protocol gives it.
Result<> Exchange(TcpConnection& connection, std::uint32_t word, std::stop_token stop)
{
    if (Result<> sent = Write(connection, wire::EncodeWords({word}), stop); !sent)
        return sent;
    const std::string expected = wire::DesktopReplyTo(word);
    Result<std::string> answer = Read(connection, expected.size(), stop);
    if (!answer)
        return Unexpected(std::move(answer).error());
    if (*answer != expected)
        return Fail("the desktop answered " + WordsText(*answer) + " to " + std::to_string(word) +
                    ", not " + WordsText(expected));
    return {};
}

// An encoded password after its length field, read whole: when its first bytes are the
// zeros of an 8-byte length field, those are dropped and as many more bytes read.
Result<std::string> ReadEncodedPassword(TcpConnection& connection, std::uint16_t length,
                                        std::stop_token stop)
{
    Result<std::string> encoded = Read(connection, length, stop);
    if (!encoded || encoded->empty())
        return encoded;
    const std::size_t head = std::min(kLongLengthPadding, encoded->size());
    if (std::any_of(encoded->begin(), encoded->begin() + head, [](char byte) { return byte; }))
        return encoded;
    Result<std::string> rest = Read(connection, kLongLengthPadding, stop);
    if (!rest)
        return rest;
    return (*encoded + *rest).substr(kLongLengthPadding);
}

// The clerk types the password on the desktop; the desktop may try again after a refusal.
Result<> AwaitPasswordFromDesktop(TcpConnection& connection, const ControlSettings& settings,
                                  DeviceEvents& events, std::stop_token stop)
{
    for (;;) {
        Result<std::string> lengthBytes = ReadBytes(connection, wire::kPasswordLengthBytes,
                                                    DeadlineAfter(kDesktopIdleLimit), stop);
        if (!lengthBytes)
            return Unexpected(std::move(lengthBytes).error());
        const Result<std::uint16_t> length = wire::DecodePasswordLength(*lengthBytes);
        if (!length)
            return Unexpected(length.error());
        Result<std::string> encoded = ReadEncodedPassword(connection, *length, stop);
        if (!encoded)
            return Unexpected(std::move(encoded).error());
        const Result<std::u16string> password =
            wire::DecodePassword(*encoded, settings.info.passwordKey);
        const bool accepted =
            !settings.refusePassword && password && *password == settings.password;
        if (Result<> sent = Write(connection, wire::EncodePasswordReply(accepted), stop); !sent)
            return sent;
        events.Tell(accepted                  ? "password accepted"
                    : settings.refusePassword ? "fault: password refused"
                                              : "password refused");
        if (accepted)
            return {};
    }
}

// The clerk unlocks the handheld itself: the desktop asks it to show its unlock screen
// (again after a refusal), then acknowledges the unlock with two words.
Result<> AwaitUnlock(TcpConnection& connection, const ControlSettings& settings,
                     DeviceEvents& events, std::stop_token stop)
{
    for (;;) {
        const Result<std::uint32_t> request =
            ReadWord(connection, DeadlineAfter(kDesktopIdleLimit), stop);
        if (!request)
            return Unexpected(request.error());
        if (*request != wire::kShowUnlockScreen)
            return Fail("the desktop sent " + std::to_string(*request) +
                        " where the device waits for the request to unlock it (" +
                        std::to_string(wire::kShowUnlockScreen) + ")");
        const bool unlocked = !settings.refusePassword;
        const std::string reply =
            wire::EncodeWords({unlocked ? wire::kUnlockedReply : kStillLocked});
        if (Result<> sent = Write(connection, reply, stop); !sent)
            return sent;
        if (!unlocked) {
            events.Tell("fault: stays locked");
            continue;
        }
        events.Tell("unlocked");
        const std::string expected = wire::EncodeUnlockAcknowledgement();
        Result<std::string> acknowledgement = Read(connection, expected.size(), stop);
        if (!acknowledgement)
            return Unexpected(std::move(acknowledgement).error());
        if (*acknowledgement != expected)
            return Fail("the desktop acknowledged the unlock with " + WordsText(*acknowledgement) +
                        ", not " + WordsText(expected));
        return {};
    }
}

Result<> Introduce(TcpConnection& connection, const ControlSettings& settings, DeviceEvents& events,
                   std::stop_token stop)
{
    if (Result<> hello = Exchange(connection, wire::kHandheldHello, stop); !hello)
        return hello;
    if (Result<> greeting = Exchange(connection, wire::kHandheldGreeting, stop); !greeting)
        return greeting;
    if (Result<> info = Write(connection, wire::EncodeInfoMessage(settings.info), stop); !info)
        return info;
    switch (wire::PasswordStyleOf(settings.info.passwordKey)) {
    case wire::PasswordStyle::None:
        return {};
    case wire::PasswordStyle::OnDesktop:
        return AwaitPasswordFromDesktop(connection, settings, events, stop);
    case wire::PasswordStyle::OnHandheld:
        return AwaitUnlock(connection, settings, events, stop);
    }
    return {};
}

} // namespace

std::string RunDeviceControl(TcpConnection& connection, const ControlSettings& settings,
                             const std::function<void(std::uint32_t id)>& openSession,
                             DeviceEvents& events, std::stop_token stop)
{
    if (const Result<> introduced = Introduce(connection, settings, events, stop); !introduced)
        return stop.stop_requested() ? "the device stopped" : introduced.error().detail;
    events.Tell("handshake done");
    for (;;) {
        const Result<std::string> request = ReadBytes(connection, wire::kSessionRequestBytes,
                                                      DeadlineAfter(kDesktopIdleLimit), stop);
        if (!request)
            return stop.stop_requested() ? "the device stopped" : request.error().detail;
        const Result<std::uint32_t> id = wire::DecodeSessionRequest(*request);
        if (!id)
            return id.error().detail;
        openSession(*id);
    }
}

} // namespace zvk::emulator
