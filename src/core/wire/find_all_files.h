#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "system/result.h"

namespace zvk::wire {

// CeFindAllFiles: the files matching a pattern, each entry holding only the fields the
// request's flags ask for, in a fixed order. The handheld sends no 560-byte records: the
// desktop builds them from these entries.
inline constexpr std::uint32_t kFindAttributes = 0x01;
inline constexpr std::uint32_t kFindCreationTime = 0x02;
inline constexpr std::uint32_t kFindLastAccessTime = 0x04;
inline constexpr std::uint32_t kFindLastWriteTime = 0x08;
inline constexpr std::uint32_t kFindSizeHigh = 0x10;
inline constexpr std::uint32_t kFindSizeLow = 0x20;
inline constexpr std::uint32_t kFindObjectId = 0x40;
inline constexpr std::uint32_t kFindName = 0x80;

// The most entries one reply may hold: no folder of a handheld comes near it, and it
// bounds what a damaged count makes the desktop keep when the entries hold nothing.
inline constexpr std::uint32_t kMaxFoundFiles = 16384;
// The longest name an entry holds, in UTF-16 characters, its NUL included.
inline constexpr std::uint32_t kMaxFoundNameChars = 260;

struct FindAllFilesRequest
{
    std::u16string pattern; // "\ZVK_CE\*.dat"
    std::uint32_t flags = 0;

    friend bool operator==(const FindAllFilesRequest&, const FindAllFilesRequest&) = default;
};

// A file time as the handheld keeps it: 100-ns intervals since 1601, in two halves.
struct WireFileTime
{
    std::uint32_t low = 0;
    std::uint32_t high = 0;

    friend bool operator==(const WireFileTime&, const WireFileTime&) = default;
};

// One entry; the fields the flags leave out stay zero or empty.
struct FoundFile
{
    std::uint32_t attributes = 0;
    WireFileTime creationTime;
    WireFileTime lastAccessTime;
    WireFileTime lastWriteTime;
    std::uint32_t sizeHigh = 0;
    std::uint32_t sizeLow = 0;
    std::uint32_t objectId = 0;
    std::u16string name; // no folder part, no NUL

    friend bool operator==(const FoundFile&, const FoundFile&) = default;
};

struct FindAllFilesReply
{
    std::uint32_t lastError = 0;
    // The word after the last error, which the handheld's answer carries unexplained;
    // read as the call's result, as in every other reply.
    std::uint32_t result = 1;
    std::vector<FoundFile> files;

    friend bool operator==(const FindAllFilesReply&, const FindAllFilesReply&) = default;
};

std::string EncodeFindAllFilesRequest(const FindAllFilesRequest& request);
Result<FindAllFilesRequest> DecodeFindAllFilesRequest(std::string_view payload);

// The entries hold what `flags`, the request's, ask for: both sides need them. A name is
// sent with its NUL and read with or without one.
std::string EncodeFindAllFilesReply(const FindAllFilesReply& reply, std::uint32_t flags);
Result<FindAllFilesReply> DecodeFindAllFilesReply(std::string_view payload, std::uint32_t flags);

} // namespace zvk::wire
