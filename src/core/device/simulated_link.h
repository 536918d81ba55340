#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "device/clock.h"

namespace zvk {

// The Remote API calls that go over the link to the handheld, by kind. CeRapiFreeBuffer,
// CeGetLastError and CeRapiGetError are answered on the desktop, and connecting has a delay
// of its own: none of them is among these.
enum class LinkCall
{
    CreateFile,
    ReadFile,
    WriteFile,
    CloseHandle,
    GetFileSize,
    DeleteFile,
    FindAllFiles,
    CreateProcess,
};
inline constexpr std::size_t kLinkCallKinds = 8;

// How many calls of each kind went over the link.
class LinkCallCounts
{
public:
    void Add(LinkCall call);
    std::uint64_t Of(LinkCall call) const;
    std::uint64_t Total() const;
    // One line per kind, in the order of LinkCall, with the call's Remote API name:
    // "CeReadFile 8".
    std::string Text() const;

private:
    std::array<std::uint64_t, kLinkCallKinds> m_counts{};
};

// The Remote API name of a kind of call: "CeReadFile".
std::string_view LinkCallName(LinkCall call);

// A link as slow as a handheld's real one, for tests and benchmarks: every call is a
// round trip of the call delay, and the bytes of a file it carries take their time at the
// bandwidth. Both are off (zero) unless set. It counts the calls it carries, by kind, so
// that a test can say how many reads a reception took. Its time comes from `clock`.
class SimulatedLink
{
public:
    explicit SimulatedLink(Clock& clock);

    // A bandwidth of 0 carries bytes without taking time.
    void Configure(std::chrono::milliseconds callDelay, std::int64_t bytesPerSecond);
    // One call of `call` that carried `bytes` of a file: counted, and then waited for.
    void Carry(LinkCall call, std::uint64_t bytes = 0);
    LinkCallCounts Counts() const;

private:
    Clock& m_clock;
    mutable std::mutex m_mutex;
    std::chrono::milliseconds m_callDelay{0};
    std::int64_t m_bytesPerSecond = 0;
    LinkCallCounts m_counts;
};

} // namespace zvk
