#include "emulator/disk_space.h"

#include <algorithm>

namespace zvk::emulator {

DiskSpace::DiskSpace(std::optional<std::uint64_t> bytesLeft) : m_bytesLeft(bytesLeft) {}

std::uint32_t DiskSpace::Take(std::uint32_t wanted)
{
    const std::lock_guard lock(m_mutex);
    if (!m_bytesLeft)
        return wanted;
    const auto taken = static_cast<std::uint32_t>(std::min<std::uint64_t>(wanted, *m_bytesLeft));
    *m_bytesLeft -= taken;
    return taken;
}

} // namespace zvk::emulator
