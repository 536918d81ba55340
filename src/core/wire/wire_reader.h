#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk::wire {

// The longest text the link carries in one string (a path, a pattern, a command line),
// its terminating NUL included: far beyond the handheld's 260-character paths, far below
// anything that could exhaust the desktop.
inline constexpr std::uint32_t kMaxStringBytes = 4096;

// Reads one message of the link, little-endian, never past its end. The first field that
// is not there, or that breaks a limit, makes the reading fail, and every later field
// reads as zero or empty, so that a decoder reads its fields straight through and asks
// once at the end (Finish) whether they were all there. A loop over a count from the
// message checks Ok() so that it ends at the first missing field.
class WireReader
{
public:
    // `what` names the message in failures ("CeReadFile reply").
    WireReader(std::string_view bytes, std::string_view what);
    // Names the message anew, for a reader that learns what it reads from its first field.
    void Describe(std::string_view what)
    {
        m_what = what;
    }

    std::uint32_t U32(std::string_view field);
    std::uint16_t U16(std::string_view field);
    // `count` bytes as they are.
    std::string_view Bytes(std::size_t count, std::string_view field);
    // `byteCount` bytes of UTF-16LE text as they are, NULs included; an odd count fails.
    std::u16string Utf16(std::size_t byteCount, std::string_view field);
    // A string of the Remote API: a u32 byte length counting the NUL, then the UTF-16LE
    // text with its NUL; a lone 0 is a null pointer (nullopt). A NUL inside the text
    // fails: the handheld would see a shorter name than the desktop meant.
    std::optional<std::u16string> String(std::string_view field);
    // A string that a null pointer may not stand for (a file's name).
    std::u16string RequiredString(std::string_view field);
    // A flag word of the Remote API's optional blocks: 0 or 1, anything else refused.
    bool Flag(std::string_view field);
    // A count or length from the message that may not exceed `limit`.
    std::uint32_t Count(std::string_view field, std::uint32_t limit);

    // Fails the reading with `reason` about `field`, for a value the decoder refuses.
    void Refuse(std::string_view field, std::string_view reason);

    bool Ok() const
    {
        return !m_failure.has_value();
    }
    std::size_t Remaining() const
    {
        return m_bytes.size() - m_offset;
    }

    // The value the decoder made, or why the message is no such message: a field missing
    // or refused, or bytes left over after the last field.
    template <class T> Result<T> Finish(T value)
    {
        if (Ok() && Remaining() != 0)
            Refuse("its end", std::to_string(Remaining()) + " bytes are left over");
        if (!Ok())
            return Fail(*m_failure);
        return value;
    }

private:
    std::string_view Take(std::size_t count, std::string_view field);

    std::string_view m_bytes;
    std::size_t m_offset = 0;
    std::string m_what;
    std::optional<std::string> m_failure;
};

} // namespace zvk::wire
