#include "link/frame_io.h"

#include <span>

#include "wire/control_words.h"
#include "wire/rapi_frame.h"

namespace zvk {

Result<std::uint32_t> ReadWord(TcpConnection& connection, Deadline deadline, std::stop_token stop)
{
    Result<std::string> bytes = ReadBytes(connection, wire::kWordBytes, deadline, stop);
    if (!bytes)
        return Unexpected(std::move(bytes).error());
    return wire::DecodeWord(*bytes, "word");
}

Result<std::string> ReadBytes(TcpConnection& connection, std::size_t size, Deadline deadline,
                              std::stop_token stop)
{
    std::string bytes(size, '\0');
    Result<> read = connection.ReadExactly(
        std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()), deadline, stop);
    if (!read)
        return Unexpected(std::move(read).error());
    return bytes;
}

Result<> WriteBytes(TcpConnection& connection, std::string_view bytes, Deadline deadline,
                    std::stop_token stop)
{
    return connection.WriteAll(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), deadline,
        stop);
}

Result<std::string> ReadFrame(TcpConnection& connection, Deadline deadline, std::stop_token stop)
{
    Result<std::string> header = ReadBytes(connection, wire::kFrameHeaderBytes, deadline, stop);
    if (!header)
        return header;
    Result<std::uint32_t> length = wire::FramePayloadLength(*header);
    if (!length)
        return Unexpected(std::move(length).error());
    return ReadBytes(connection, *length, deadline, stop);
}

Result<> WriteFrame(TcpConnection& connection, std::string_view payload, Deadline deadline,
                    std::stop_token stop)
{
    return WriteBytes(connection, wire::EncodeFrame(payload), deadline, stop);
}

} // namespace zvk
