#include "device/progress_display.h"

#include "device/window_port.h"

namespace zvk {

std::optional<unsigned> ProgressDisplay::Change(std::uint64_t done, std::uint64_t total)
{
    const std::optional<unsigned> percent = ProgressPercent(done, total);
    if (!percent || m_shown.exchange(static_cast<int>(*percent)) == static_cast<int>(*percent))
        return std::nullopt;
    return percent;
}

void ProgressDisplay::Shown(std::optional<unsigned> percent)
{
    m_shown = percent ? static_cast<int>(*percent) : kNothingShown;
}

} // namespace zvk
