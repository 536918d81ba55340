#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace zvk {

// A reply of the handheld that the desktop could not take: the call it answered, the
// request's and the reply's payloads, and why the reply was refused.
struct SurprisingReply
{
    std::string_view call; // "CeReadFile"
    std::string_view request;
    std::string_view reply;
    std::string_view failure;
};

// No more captures than this are kept: the oldest go first.
inline constexpr std::size_t kKeptCaptures = 40;
// Of a longer payload, only the start is shown: it is where a reply stops adding up.
inline constexpr std::size_t kShownPayloadBytes = 64 * 1024;

// Keeps each surprising reply as a hex dump in `<cache folder>/link-captures/`, a file
// named by its time and call, for whoever must learn how a real handheld answers.
class SurpriseCapture
{
public:
    // An empty cache folder keeps nothing.
    explicit SurpriseCapture(std::filesystem::path cacheFolder);

    // Written whole or not at all, and never a reason for the call to fail more than it
    // already has: a capture that cannot be kept is let go.
    void Keep(const SurprisingReply& reply) const;

    const std::filesystem::path& Folder() const;

private:
    std::filesystem::path m_folder;
};

} // namespace zvk
