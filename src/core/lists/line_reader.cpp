#include "lists/line_reader.h"

#include <cstring>

namespace zvk {
namespace {

// Most data lists fit into one block whole.
constexpr std::size_t kBlockSize = 1 << 16;

} // namespace

LineReader::LineReader(std::istream& in)
    : m_in(in), m_block(std::make_unique_for_overwrite<char[]>(kBlockSize)), m_capacity(kBlockSize)
{}

bool LineReader::Next(std::string_view& line)
{
    std::size_t searched = m_begin;
    for (;;) {
        const char* const from = m_block.get() + searched;
        if (const void* found = std::memchr(from, '\n', m_end - searched)) {
            const std::size_t lineEnd =
                static_cast<std::size_t>(static_cast<const char*>(found) - m_block.get());
            line = WithoutCarriageReturn({m_block.get() + m_begin, lineEnd - m_begin});
            m_begin = lineEnd + 1;
            return true;
        }
        searched = m_end - m_begin;
        if (!Refill()) {
            if (m_begin == m_end)
                return false;
            line = WithoutCarriageReturn({m_block.get() + m_begin, m_end - m_begin});
            m_begin = m_end;
            return true;
        }
    }
}

// Moves the unfinished line to the front of the block, enlarging the block when
// the line fills it, and reads more after it. False when nothing more came.
bool LineReader::Refill()
{
    if (m_endOfInput)
        return false;
    const std::size_t unfinished = m_end - m_begin;
    if (unfinished == m_capacity) {
        auto larger = std::make_unique_for_overwrite<char[]>(m_capacity * 2);
        std::memcpy(larger.get(), m_block.get() + m_begin, unfinished);
        m_block = std::move(larger);
        m_capacity *= 2;
    } else if (m_begin > 0) {
        std::memmove(m_block.get(), m_block.get() + m_begin, unfinished);
    }
    m_begin = 0;
    m_end = unfinished;
    m_in.read(m_block.get() + m_end, static_cast<std::streamsize>(m_capacity - m_end));
    const auto count = static_cast<std::size_t>(m_in.gcount());
    m_end += count;
    m_endOfInput = !m_in;
    return count > 0;
}

} // namespace zvk
