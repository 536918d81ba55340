#include "wire/wire_writer.h"

namespace zvk::wire {

WireWriter& WireWriter::U32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        m_message.push_back(static_cast<char>(value >> shift & 0xFF));
    return *this;
}

WireWriter& WireWriter::U16(std::uint16_t value)
{
    m_message.push_back(static_cast<char>(value & 0xFF));
    m_message.push_back(static_cast<char>(value >> 8));
    return *this;
}

WireWriter& WireWriter::Bytes(std::string_view bytes)
{
    m_message.append(bytes);
    return *this;
}

WireWriter& WireWriter::Utf16(std::u16string_view text)
{
    for (const char16_t c : text)
        U16(c);
    return *this;
}

WireWriter& WireWriter::String(const std::optional<std::u16string>& text)
{
    if (!text)
        return U32(0);
    U32(static_cast<std::uint32_t>((text->size() + 1) * 2));
    return Utf16(*text).U16(0);
}

} // namespace zvk::wire
