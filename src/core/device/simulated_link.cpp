#include "device/simulated_link.h"

#include <numeric>

namespace zvk {

void LinkCallCounts::Add(LinkCall call)
{
    ++m_counts[static_cast<std::size_t>(call)];
}

std::uint64_t LinkCallCounts::Of(LinkCall call) const
{
    return m_counts[static_cast<std::size_t>(call)];
}

std::uint64_t LinkCallCounts::Total() const
{
    return std::accumulate(m_counts.begin(), m_counts.end(), std::uint64_t{0});
}

std::string LinkCallCounts::Text() const
{
    std::string text;
    for (std::size_t kind = 0; kind < kLinkCallKinds; ++kind)
        text += std::string(LinkCallName(static_cast<LinkCall>(kind))) + " " +
                std::to_string(m_counts[kind]) + "\n";
    return text;
}

std::string_view LinkCallName(LinkCall call)
{
    switch (call) {
    case LinkCall::CreateFile:
        return "CeCreateFile";
    case LinkCall::ReadFile:
        return "CeReadFile";
    case LinkCall::WriteFile:
        return "CeWriteFile";
    case LinkCall::CloseHandle:
        return "CeCloseHandle";
    case LinkCall::GetFileSize:
        return "CeGetFileSize";
    case LinkCall::DeleteFile:
        return "CeDeleteFile";
    case LinkCall::FindAllFiles:
        return "CeFindAllFiles";
    case LinkCall::CreateProcess:
        return "CeCreateProcess";
    }
    return "";
}

SimulatedLink::SimulatedLink(Clock& clock) : m_clock(clock) {}

void SimulatedLink::Configure(std::chrono::milliseconds callDelay, std::int64_t bytesPerSecond)
{
    const std::lock_guard lock(m_mutex);
    m_callDelay = callDelay;
    m_bytesPerSecond = bytesPerSecond;
}

void SimulatedLink::Carry(LinkCall call, std::uint64_t bytes)
{
    Clock::Duration takes{};
    {
        const std::lock_guard lock(m_mutex);
        m_counts.Add(call);
        takes = m_callDelay;
        if (m_bytesPerSecond > 0)
            takes += std::chrono::duration_cast<Clock::Duration>(std::chrono::nanoseconds(
                bytes * 1'000'000'000 / static_cast<std::uint64_t>(m_bytesPerSecond)));
    }
    // The caller waits for the handheld's answer as over a cable; nothing stops a call
    // half-way, as nothing stops one over the real link.
    if (takes > Clock::Duration::zero())
        m_clock.WaitFor(takes, {});
}

LinkCallCounts SimulatedLink::Counts() const
{
    const std::lock_guard lock(m_mutex);
    return m_counts;
}

} // namespace zvk
