#include "device/window_port.h"

#include <algorithm>
#include <limits>

namespace zvk {

std::optional<unsigned> ProgressPercent(std::uint64_t done, std::uint64_t total)
{
    if (total == 0)
        return std::nullopt;
    // A list that grew after it was measured must not push the bar past its end.
    if (done >= total)
        return 100u;
    if (done <= std::numeric_limits<std::uint64_t>::max() / 100)
        return static_cast<unsigned>(done * 100 / total);
    // Only beyond 2^57 bytes: a close estimate, still below 100 while bytes remain.
    return static_cast<unsigned>(std::min<std::uint64_t>(99, done / (total / 100)));
}

void FinishTransfer(TransferNotices& notices)
{
    notices.ShowProgress(100, 100);
    notices.EnableTransferControls(true);
}

} // namespace zvk
