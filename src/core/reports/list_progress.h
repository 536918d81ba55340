#pragma once

#include <cstdint>
#include <functional>

namespace zvk {

// How far a pass over data lists is: lists read of lists to read, told from the
// thread that reads them, once before the first list and after each one, so that a
// window or a terminal can show a long pass over a large receive folder moving.
using ListProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

} // namespace zvk
