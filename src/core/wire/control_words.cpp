#include "wire/control_words.h"

#include "wire/wire_reader.h"
#include "wire/wire_writer.h"

namespace zvk::wire {
namespace {

constexpr std::uint32_t kDesktopHelloReply = 3;
constexpr std::uint32_t kSessionRequestLength = 4;

} // namespace

std::string EncodeWords(std::initializer_list<std::uint32_t> words)
{
    WireWriter writer;
    for (const std::uint32_t word : words)
        writer.U32(word);
    return writer.Message();
}

Result<std::uint32_t> DecodeWord(std::string_view bytes, std::string_view what)
{
    WireReader reader(bytes, what);
    const std::uint32_t word = reader.U32("word");
    return reader.Finish(word);
}

std::string DesktopReplyTo(std::uint32_t handheldWord)
{
    switch (handheldWord) {
    case kHandheldHello:
        return EncodeWords({kDesktopHelloReply});
    case kHandheldGreeting:
        return EncodeWords({7, 8, 4, 5});
    default:
        return {};
    }
}

std::string EncodeInfoMessage(const DeviceInfo& info)
{
    const std::string block = EncodeDeviceInfo(info);
    return EncodeWords({kHandheldInfo, static_cast<std::uint32_t>(block.size())}) + block;
}

Result<std::uint32_t> DecodeInfoLength(std::string_view bytes)
{
    WireReader reader(bytes, "device info length");
    const std::uint32_t length = reader.Count("length", kMaxInfoBytes);
    return reader.Finish(length);
}

std::string EncodeSessionRequest(std::uint32_t id)
{
    return EncodeWords({kSessionRequestWord, kSessionRequestLength, id});
}

Result<std::uint32_t> DecodeSessionRequest(std::string_view bytes)
{
    WireReader reader(bytes, "session request");
    if (reader.U32("kind") != kSessionRequestWord && reader.Ok())
        reader.Refuse("kind", "is no session request");
    if (reader.U32("length") != kSessionRequestLength && reader.Ok())
        reader.Refuse("length", "is not 4");
    const std::uint32_t id = reader.U32("id");
    return reader.Finish(id);
}

std::string EncodeConnectBack(std::uint32_t id)
{
    return EncodeWords({id});
}

Result<std::uint32_t> DecodeConnectBack(std::string_view bytes)
{
    return DecodeWord(bytes, "session connection");
}

} // namespace zvk::wire
