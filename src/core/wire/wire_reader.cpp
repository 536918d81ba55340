#include "wire/wire_reader.h"

namespace zvk::wire {

WireReader::WireReader(std::string_view bytes, std::string_view what) : m_bytes(bytes), m_what(what)
{}

std::string_view WireReader::Take(std::size_t count, std::string_view field)
{
    if (!Ok())
        return {};
    if (count > Remaining()) {
        Refuse(field, "needs " + std::to_string(count) + " bytes, " + std::to_string(Remaining()) +
                          " are there");
        return {};
    }
    const std::string_view taken = m_bytes.substr(m_offset, count);
    m_offset += count;
    return taken;
}

std::uint32_t WireReader::U32(std::string_view field)
{
    const std::string_view bytes = Take(4, field);
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

std::uint16_t WireReader::U16(std::string_view field)
{
    const std::string_view bytes = Take(2, field);
    if (bytes.empty())
        return 0;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) |
                                      static_cast<unsigned char>(bytes[1]) << 8);
}

std::string_view WireReader::Bytes(std::size_t count, std::string_view field)
{
    return Take(count, field);
}

std::u16string WireReader::Utf16(std::size_t byteCount, std::string_view field)
{
    if (byteCount % 2 != 0)
        Refuse(field, "has an odd byte count, " + std::to_string(byteCount));
    const std::string_view bytes = Take(byteCount, field);
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

std::optional<std::u16string> WireReader::String(std::string_view field)
{
    const std::uint32_t byteCount = Count(field, kMaxStringBytes);
    if (byteCount == 0)
        return std::nullopt;
    std::u16string text = Utf16(byteCount, field);
    if (!Ok())
        return std::u16string();
    if (text.empty() || text.find(u'\0') != text.size() - 1) {
        Refuse(field, "is no text closed by its only NUL");
        return std::u16string();
    }
    text.pop_back();
    return text;
}

std::u16string WireReader::RequiredString(std::string_view field)
{
    std::optional<std::u16string> text = String(field);
    if (!text) {
        Refuse(field, "is a null pointer");
        return std::u16string();
    }
    return std::move(*text);
}

bool WireReader::Flag(std::string_view field)
{
    const std::uint32_t word = U32(field);
    if (word > 1)
        Refuse(field, "is " + std::to_string(word) + ", neither 0 nor 1");
    return word == 1;
}

std::uint32_t WireReader::Count(std::string_view field, std::uint32_t limit)
{
    const std::uint32_t count = U32(field);
    if (count > limit) {
        Refuse(field,
               "is " + std::to_string(count) + ", over the limit of " + std::to_string(limit));
        return 0;
    }
    return count;
}

void WireReader::Refuse(std::string_view field, std::string_view reason)
{
    if (Ok())
        m_failure = m_what + ": " + std::string(field) + " at byte " + std::to_string(m_offset) +
                    " " + std::string(reason);
}

} // namespace zvk::wire
