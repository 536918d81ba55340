#include "wire/password_words.h"

#include <cassert>

#include "wire/control_words.h"
#include "wire/wire_reader.h"
#include "wire/wire_writer.h"

namespace zvk::wire {
namespace {

constexpr std::uint32_t kMaxPasswordBytes = (kMaxPasswordChars + 1) * 2;

std::string Masked(std::string_view bytes, std::uint32_t passwordKey)
{
    std::string masked(bytes);
    for (char& byte : masked)
        byte = static_cast<char>(static_cast<unsigned char>(byte) ^ (passwordKey & 0xFF));
    return masked;
}

} // namespace

PasswordStyle PasswordStyleOf(std::uint32_t passwordKey)
{
    if (passwordKey == 0)
        return PasswordStyle::None;
    return passwordKey == kUnlockOnHandheldKey ? PasswordStyle::OnHandheld
                                               : PasswordStyle::OnDesktop;
}

std::string EncodePassword(std::u16string_view password, std::uint32_t passwordKey)
{
    assert(password.size() <= kMaxPasswordChars);
    const std::string text = WireWriter().Utf16(password).U16(0).Message();
    return WireWriter()
        .U16(static_cast<std::uint16_t>(text.size()))
        .Bytes(Masked(text, passwordKey))
        .Message();
}

Result<std::uint16_t> DecodePasswordLength(std::string_view bytes)
{
    WireReader reader(bytes, "password length");
    const std::uint16_t length = reader.U16("length");
    if (length > kMaxPasswordBytes)
        reader.Refuse("length", "is " + std::to_string(length) + ", over the limit of " +
                                    std::to_string(kMaxPasswordBytes));
    return reader.Finish(length);
}

Result<std::u16string> DecodePassword(std::string_view encoded, std::uint32_t passwordKey)
{
    // The text read as a string of the Remote API, whose length it lacks.
    const std::string text = Masked(encoded, passwordKey);
    const std::string string =
        WireWriter().U32(static_cast<std::uint32_t>(text.size())).Bytes(text).Message();
    WireReader reader(string, "password");
    std::u16string password = reader.RequiredString("text");
    return reader.Finish(std::move(password));
}

std::string EncodePasswordReply(bool accepted)
{
    return WireWriter().U16(accepted ? 1 : 0).Message();
}

Result<bool> DecodePasswordReply(std::string_view bytes)
{
    WireReader reader(bytes, "password reply");
    const bool accepted = reader.U16("reply") != 0;
    return reader.Finish(accepted);
}

std::string EncodeUnlockRequest()
{
    return EncodeWords({kShowUnlockScreen});
}

std::string EncodeUnlockAcknowledgement()
{
    return EncodeWords({0, 0x0C});
}

} // namespace zvk::wire
