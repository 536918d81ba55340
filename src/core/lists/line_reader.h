#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <string_view>

namespace zvk {

// Reads lines whole, however long, without their line ends (CR LF or a bare LF).
// A last line without a line end is still a line. The input is read in large blocks
// and the lines are handed out where they lie in the block: a season's report reads
// thousands of lists three times over.
class LineReader
{
public:
    explicit LineReader(std::istream& in);

    // The next line, valid until the next call; false at the end of the input.
    bool Next(std::string_view& line);

private:
    bool Refill();

    std::istream& m_in;
    std::unique_ptr<char[]> m_block;
    std::size_t m_capacity;
    std::size_t m_begin = 0; // of the unread bytes in the block
    std::size_t m_end = 0;
    bool m_endOfInput = false;
};

// A line without the CR of its CR LF line end.
inline std::string_view WithoutCarriageReturn(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// Hands each line of `bytes`, as LineReader would read them from a file, to `handle`.
template <class Handle> void ForEachLineIn(std::string_view bytes, Handle&& handle)
{
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        handle(WithoutCarriageReturn(bytes.substr(0, end)));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
}

} // namespace zvk
