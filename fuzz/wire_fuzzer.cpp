// The handheld's wire protocol as either end may receive it: the input's first byte picks a
// message (a frame, a control word, the info block, a password, a call's request or reply)
// and the rest is its bytes. Whatever they hold, the decoder reads no byte beyond them and
// keeps nothing a limit refuses; what it accepts, written again, reads back the same.

#include <array>
#include <functional>
#include <string>

#include "fuzz_target.h"
#include "wire/control_words.h"
#include "wire/create_process.h"
#include "wire/device_info.h"
#include "wire/file_calls.h"
#include "wire/find_all_files.h"
#include "wire/password_words.h"
#include "wire/rapi_frame.h"

namespace {

using namespace zvk::wire;

constexpr std::uint32_t kKey = 0x5A;

template <class T, class Decode, class Encode>
void CheckRoundTrip(std::string_view bytes, Decode decode, Encode encode)
{
    const zvk::Result<T> decoded = decode(bytes);
    if (!decoded)
        return;
    const zvk::Result<T> again = decode(encode(*decoded));
    zvk::fuzz::Require(again.has_value() && *again == *decoded,
                       "a message written again reads back otherwise");
}

// A call's message, with the context its description needs.
template <class T, class... Context>
std::function<void(std::string_view)> RoundTrip(Context... context)
{
    return [context...](std::string_view bytes) {
        CheckRoundTrip<T>(
            bytes, [&](std::string_view b) { return Decode<T>(b, context...); },
            [&](const T& message) { return Encode(message, context...); });
    };
}

// Entries hold what the flags ask for: the first byte of the message is them.
void CheckFoundFiles(std::string_view bytes)
{
    if (!bytes.empty())
        RoundTrip<FindAllFilesReply>(std::uint32_t{static_cast<unsigned char>(bytes[0])})(
            bytes.substr(1));
}

void CheckFrame(std::string_view bytes)
{
    const zvk::Result<std::string_view> payload = DecodeFrame(bytes);
    zvk::fuzz::Require(!payload || EncodeFrame(*payload) == bytes,
                       "a frame written again is other bytes");
}

const std::array<std::function<void(std::string_view)>, 21> kMessages = {
    CheckFrame,
    CheckFoundFiles,
    [](std::string_view b) { static_cast<void>(DecodeSessionRequest(b)); },
    [](std::string_view b) { static_cast<void>(DecodeInfoLength(b)); },
    [](std::string_view b) { static_cast<void>(DecodePasswordLength(b)); },
    [](std::string_view b) {
        CheckRoundTrip<std::u16string>(
            b, [](std::string_view m) { return DecodePassword(m, kKey); },
            [](const std::u16string& p) { return EncodePassword(p, kKey).substr(2); });
    },
    [](std::string_view b) { CheckRoundTrip<DeviceInfo>(b, DecodeDeviceInfo, EncodeDeviceInfo); },
    RoundTrip<CreateFileRequest>(),
    RoundTrip<CreateFileReply>(),
    RoundTrip<ReadFileRequest>(),
    RoundTrip<ReadFileReply>(),
    RoundTrip<WriteFileRequest>(),
    RoundTrip<WriteFileReply>(),
    RoundTrip<CloseHandleRequest>(),
    RoundTrip<GetFileSizeRequest>(),
    RoundTrip<GetFileSizeReply>(),
    RoundTrip<FindAllFilesRequest>(),
    RoundTrip<DeleteFileRequest>(),
    RoundTrip<BoolReply>(RapiCommand::DeleteFile),
    RoundTrip<CreateProcessRequest>(),
    RoundTrip<CreateProcessReply>(),
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = zvk::fuzz::BytesOf(data, size);
    if (bytes.empty())
        return 0;
    kMessages[static_cast<unsigned char>(bytes[0]) % kMessages.size()](bytes.substr(1));
    return 0;
}
