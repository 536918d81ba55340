#pragma once

#include <cstdint>
#include <mutex>
#include <optional>

namespace zvk::emulator {

// The handheld's storage as its writes fill it, shared by every session: without a limit
// it takes everything; with one, the bytes that still fit and then none.
class DiskSpace
{
public:
    explicit DiskSpace(std::optional<std::uint64_t> bytesLeft);

    // How many of `wanted` bytes still fit; those are taken.
    std::uint32_t Take(std::uint32_t wanted);

private:
    std::mutex m_mutex;
    std::optional<std::uint64_t> m_bytesLeft;
};

} // namespace zvk::emulator
