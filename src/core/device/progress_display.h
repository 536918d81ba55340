#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

namespace zvk {

// What the window shows of a transfer's progress. Workers report every piece of a
// copy; the window is asked to redraw only when the percentage it shows would
// change, so that a list of a hundred megabytes costs a hundred redraws, not
// thousands of calls across threads.
class ProgressDisplay
{
public:
    // The percentage to show for this report, or nothing when the display stays as
    // it is (the total is 0, or that percentage is already shown).
    std::optional<unsigned> Change(std::uint64_t done, std::uint64_t total);

    // The window changed the display by itself: the transfer lock shows 0 %, the
    // unlock clears the percentage (nothing shown).
    void Shown(std::optional<unsigned> percent);

private:
    static constexpr int kNothingShown = -1;
    std::atomic<int> m_shown{kNothingShown};
};

} // namespace zvk
