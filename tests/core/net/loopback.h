#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "net/deadline.h"
#include "net/endpoint.h"

namespace zvk::test {

inline constexpr Endpoint kLoopbackAnyPort{{127, 0, 0, 1}, 0};

// A deadline that a test on loopback never reaches unless something hangs.
inline Deadline Generous()
{
    return std::chrono::steady_clock::now() + std::chrono::seconds(10);
}

inline Deadline After(std::chrono::milliseconds time)
{
    return std::chrono::steady_clock::now() + time;
}

inline std::vector<std::uint8_t> BytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

} // namespace zvk::test
