#include "wire/rapi_frame.h"

#include "wire/wire_reader.h"
#include "wire/wire_writer.h"

namespace zvk::wire {

std::string EncodeFrame(std::string_view payload)
{
    return WireWriter().U32(static_cast<std::uint32_t>(payload.size())).Bytes(payload).Message();
}

Result<std::uint32_t> FramePayloadLength(std::string_view header)
{
    WireReader reader(header, "frame header");
    const std::uint32_t length = reader.Count("payload length", kMaxFramePayload);
    return reader.Finish(length);
}

Result<std::string_view> DecodeFrame(std::string_view bytes)
{
    Result<std::uint32_t> length = FramePayloadLength(bytes.substr(0, kFrameHeaderBytes));
    if (!length)
        return Fail(length.error().detail);
    WireReader reader(bytes.substr(kFrameHeaderBytes), "frame");
    const std::string_view payload = reader.Bytes(*length, "payload");
    return reader.Finish(payload);
}

} // namespace zvk::wire
