#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wire/message_fields.h"

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

struct FindAllFilesRequest
{
    std::u16string pattern; // "\ZVK_CE\*.dat"
    std::uint32_t flags = 0;

    friend bool operator==(const FindAllFilesRequest&, const FindAllFilesRequest&) = default;
};

template <class Fields> void Transcribe(Fields& fields, FindAllFilesRequest& request)
{
    fields.Request(RapiCommand::FindAllFiles);
    fields.Name("pattern", request.pattern);
    fields.U32("flags", request.flags);
}

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

template <class Fields> void Transcribe(Fields& fields, WireFileTime& time, std::string_view field)
{
    fields.U32(field, time.low);
    fields.U32(field, time.high);
}

// The name's size comes first and its text last, sent with its NUL.
template <class Fields> void Transcribe(Fields& fields, FoundFile& file, std::uint32_t flags)
{
    const auto has = [flags](std::uint32_t field) { return (flags & field) != 0; };
    std::uint32_t nameBytes = 0;
    if (has(kFindName))
        fields.NameSize("name size", file.name, nameBytes);
    if (has(kFindAttributes))
        fields.U32("attributes", file.attributes);
    if (has(kFindCreationTime))
        Transcribe(fields, file.creationTime, "creation time");
    if (has(kFindLastAccessTime))
        Transcribe(fields, file.lastAccessTime, "last access time");
    if (has(kFindLastWriteTime))
        Transcribe(fields, file.lastWriteTime, "last write time");
    if (has(kFindSizeHigh))
        fields.U32("high size", file.sizeHigh);
    if (has(kFindSizeLow))
        fields.U32("low size", file.sizeLow);
    if (has(kFindObjectId))
        fields.U32("object id", file.objectId);
    if (has(kFindName))
        fields.NameText("name", file.name, nameBytes);
}

struct FindAllFilesReply
{
    std::uint32_t lastError = 0;
    // The word after the last error, which the handheld's answer carries unexplained;
    // read as the call's result, as in every other reply.
    std::uint32_t result = 1;
    std::vector<FoundFile> files;

    friend bool operator==(const FindAllFilesReply&, const FindAllFilesReply&) = default;
};

// The entries hold what `flags`, the request's, ask for: both sides need them.
template <class Fields>
void Transcribe(Fields& fields, FindAllFilesReply& reply, std::uint32_t flags)
{
    fields.Reply(RapiCommand::FindAllFiles);
    fields.U32("last error", reply.lastError);
    fields.U32("result", reply.result);
    fields.List(
        "count", reply.files, kMaxFoundFiles,
        [flags](Fields& entryFields, FoundFile& file) { Transcribe(entryFields, file, flags); });
}

} // namespace zvk::wire
