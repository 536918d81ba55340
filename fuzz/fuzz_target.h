#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The entry point of every fuzz target: libFuzzer calls it with each input it makes,
// the replay program (replay_main.cpp) with the bytes of each file it is given.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace zvk::fuzz {

inline std::string_view BytesOf(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run with `what` when a property of the target does not hold: the fuzzer
// keeps the input as a crash, the replay program fails.
void Require(bool holds, std::string_view what);

} // namespace zvk::fuzz
