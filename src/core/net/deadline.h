#pragma once

#include <chrono>

namespace zvk {

// The moment a wait on the network gives up: a peer that stalls past it is a failure,
// never a hang.
using Deadline = std::chrono::steady_clock::time_point;

} // namespace zvk
