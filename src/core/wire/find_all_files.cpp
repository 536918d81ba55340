#include "wire/find_all_files.h"

#include "wire/rapi_command.h"
#include "wire/wire_reader.h"
#include "wire/wire_writer.h"

namespace zvk::wire {
namespace {

constexpr std::uint32_t kMaxNameBytes = kMaxFoundNameChars * 2;

bool Has(std::uint32_t flags, std::uint32_t field)
{
    return (flags & field) != 0;
}

void WriteTime(WireWriter& writer, const WireFileTime& time)
{
    writer.U32(time.low).U32(time.high);
}

WireFileTime ReadTime(WireReader& reader, std::string_view field)
{
    WireFileTime time;
    time.low = reader.U32(field);
    time.high = reader.U32(field);
    return time;
}

void WriteEntry(WireWriter& writer, const FoundFile& file, std::uint32_t flags)
{
    if (Has(flags, kFindName))
        writer.U32(static_cast<std::uint32_t>((file.name.size() + 1) * 2));
    if (Has(flags, kFindAttributes))
        writer.U32(file.attributes);
    if (Has(flags, kFindCreationTime))
        WriteTime(writer, file.creationTime);
    if (Has(flags, kFindLastAccessTime))
        WriteTime(writer, file.lastAccessTime);
    if (Has(flags, kFindLastWriteTime))
        WriteTime(writer, file.lastWriteTime);
    if (Has(flags, kFindSizeHigh))
        writer.U32(file.sizeHigh);
    if (Has(flags, kFindSizeLow))
        writer.U32(file.sizeLow);
    if (Has(flags, kFindObjectId))
        writer.U32(file.objectId);
    if (Has(flags, kFindName))
        writer.Utf16(file.name).U16(0);
}

// A name whose size may or may not count a closing NUL; a NUL before its end would make
// the desktop's copy of the name shorter than the handheld's file.
std::u16string ReadName(WireReader& reader, std::uint32_t nameBytes)
{
    std::u16string name = reader.Utf16(nameBytes, "name");
    if (!name.empty() && name.back() == u'\0')
        name.pop_back();
    if (name.find(u'\0') != std::u16string::npos) {
        reader.Refuse("name", "holds a NUL before its end");
        return std::u16string();
    }
    return name;
}

FoundFile ReadEntry(WireReader& reader, std::uint32_t flags)
{
    FoundFile file;
    const std::uint32_t nameBytes =
        Has(flags, kFindName) ? reader.Count("name size", kMaxNameBytes) : 0;
    if (Has(flags, kFindAttributes))
        file.attributes = reader.U32("attributes");
    if (Has(flags, kFindCreationTime))
        file.creationTime = ReadTime(reader, "creation time");
    if (Has(flags, kFindLastAccessTime))
        file.lastAccessTime = ReadTime(reader, "last access time");
    if (Has(flags, kFindLastWriteTime))
        file.lastWriteTime = ReadTime(reader, "last write time");
    if (Has(flags, kFindSizeHigh))
        file.sizeHigh = reader.U32("high size");
    if (Has(flags, kFindSizeLow))
        file.sizeLow = reader.U32("low size");
    if (Has(flags, kFindObjectId))
        file.objectId = reader.U32("object id");
    if (Has(flags, kFindName))
        file.name = ReadName(reader, nameBytes);
    return file;
}

} // namespace

std::string EncodeFindAllFilesRequest(const FindAllFilesRequest& request)
{
    return RequestWriter(RapiCommand::FindAllFiles)
        .String(request.pattern)
        .U32(request.flags)
        .Message();
}

Result<FindAllFilesRequest> DecodeFindAllFilesRequest(std::string_view payload)
{
    WireReader reader(payload, RequestName(RapiCommand::FindAllFiles));
    ReadCommand(reader, RapiCommand::FindAllFiles);
    FindAllFilesRequest request;
    request.pattern = reader.RequiredString("pattern");
    request.flags = reader.U32("flags");
    return reader.Finish(request);
}

std::string EncodeFindAllFilesReply(const FindAllFilesReply& reply, std::uint32_t flags)
{
    WireWriter writer;
    writer.U32(reply.lastError)
        .U32(reply.result)
        .U32(static_cast<std::uint32_t>(reply.files.size()));
    for (const FoundFile& file : reply.files)
        WriteEntry(writer, file, flags);
    return writer.Message();
}

Result<FindAllFilesReply> DecodeFindAllFilesReply(std::string_view payload, std::uint32_t flags)
{
    WireReader reader(payload, ReplyName(RapiCommand::FindAllFiles));
    FindAllFilesReply reply;
    reply.lastError = reader.U32("last error");
    reply.result = reader.U32("result");
    const std::uint32_t count = reader.Count("count", kMaxFoundFiles);
    for (std::uint32_t i = 0; i < count && reader.Ok(); ++i)
        reply.files.push_back(ReadEntry(reader, flags));
    return reader.Finish(std::move(reply));
}

} // namespace zvk::wire
