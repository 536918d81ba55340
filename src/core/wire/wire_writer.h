#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zvk::wire {

// Builds one message of the link, little-endian, in the encodings its reader reads.
class WireWriter
{
public:
    WireWriter& U32(std::uint32_t value);
    WireWriter& U16(std::uint16_t value);
    WireWriter& Bytes(std::string_view bytes);
    // UTF-16LE text as it is, no length and no NUL added.
    WireWriter& Utf16(std::u16string_view text);
    // A string of the Remote API: its byte length counting the NUL, the text, the NUL; a
    // lone 0 for a null pointer.
    WireWriter& String(const std::optional<std::u16string>& text);

    const std::string& Message() const
    {
        return m_message;
    }

private:
    std::string m_message;
};

} // namespace zvk::wire
