#include "wire/file_calls.h"

#include "wire/rapi_command.h"
#include "wire/wire_reader.h"
#include "wire/wire_writer.h"

namespace zvk::wire {
namespace {

// The out-parameter for the high half of a size, as the request carries it: present
// (1, its size, 0 for "no value yet") or a null pointer (0).
constexpr std::uint32_t kSizeHighBytes = 4;

// The size of an optional block, which always holds one u32 here.
void ReadSizeHighSize(WireReader& reader)
{
    if (reader.U32("size of the high size") != kSizeHighBytes && reader.Ok())
        reader.Refuse("size of the high size", "is not 4");
}

} // namespace

std::string EncodeBoolReply(const BoolReply& reply)
{
    return WireWriter().U32(reply.lastError).U32(reply.succeeded ? 1 : 0).Message();
}

Result<BoolReply> DecodeBoolReply(std::string_view payload, RapiCommand call)
{
    WireReader reader(payload, ReplyName(call));
    BoolReply reply;
    reply.lastError = reader.U32("last error");
    reply.succeeded = reader.U32("result") != 0;
    return reader.Finish(reply);
}

std::string EncodeCreateFileRequest(const CreateFileRequest& request)
{
    return RequestWriter(RapiCommand::CreateFile)
        .String(request.name)
        .U32(request.desiredAccess)
        .U32(request.shareMode)
        .U32(request.creationDisposition)
        .U32(request.flagsAndAttributes)
        .U32(request.templateFile)
        .Message();
}

Result<CreateFileRequest> DecodeCreateFileRequest(std::string_view payload)
{
    WireReader reader(payload, RequestName(RapiCommand::CreateFile));
    ReadCommand(reader, RapiCommand::CreateFile);
    CreateFileRequest request;
    request.name = reader.RequiredString("name");
    request.desiredAccess = reader.U32("desired access");
    request.shareMode = reader.U32("share mode");
    request.creationDisposition = reader.U32("creation disposition");
    request.flagsAndAttributes = reader.U32("flags and attributes");
    request.templateFile = reader.U32("template file");
    return reader.Finish(request);
}

std::string EncodeCreateFileReply(const CreateFileReply& reply)
{
    return WireWriter().U32(reply.lastError).U32(reply.handle).Message();
}

Result<CreateFileReply> DecodeCreateFileReply(std::string_view payload)
{
    WireReader reader(payload, ReplyName(RapiCommand::CreateFile));
    CreateFileReply reply;
    reply.lastError = reader.U32("last error");
    reply.handle = reader.U32("handle");
    return reader.Finish(reply);
}

std::string EncodeReadFileRequest(const ReadFileRequest& request)
{
    return RequestWriter(RapiCommand::ReadFile)
        .U32(request.handle)
        .U32(request.bytesToRead)
        .Message();
}

Result<ReadFileRequest> DecodeReadFileRequest(std::string_view payload)
{
    WireReader reader(payload, RequestName(RapiCommand::ReadFile));
    ReadCommand(reader, RapiCommand::ReadFile);
    ReadFileRequest request;
    request.handle = reader.U32("handle");
    request.bytesToRead = reader.Count("bytes to read", kMaxFilePiece);
    return reader.Finish(request);
}

std::string EncodeReadFileReply(const ReadFileReply& reply)
{
    return WireWriter()
        .U32(reply.lastError)
        .U32(reply.succeeded ? 1 : 0)
        .U32(static_cast<std::uint32_t>(reply.data.size()))
        .Bytes(reply.data)
        .Message();
}

Result<ReadFileReply> DecodeReadFileReply(std::string_view payload, std::uint32_t bytesAsked)
{
    WireReader reader(payload, ReplyName(RapiCommand::ReadFile));
    ReadFileReply reply;
    reply.lastError = reader.U32("last error");
    reply.succeeded = reader.U32("result") != 0;
    const std::uint32_t bytesRead = reader.Count("bytes read", bytesAsked);
    reply.data = reader.Bytes(bytesRead, "data");
    return reader.Finish(reply);
}

std::string EncodeWriteFileRequest(const WriteFileRequest& request)
{
    return RequestWriter(RapiCommand::WriteFile)
        .U32(request.handle)
        .U32(static_cast<std::uint32_t>(request.data.size()))
        .Bytes(request.data)
        .Message();
}

Result<WriteFileRequest> DecodeWriteFileRequest(std::string_view payload)
{
    WireReader reader(payload, RequestName(RapiCommand::WriteFile));
    ReadCommand(reader, RapiCommand::WriteFile);
    WriteFileRequest request;
    request.handle = reader.U32("handle");
    const std::uint32_t count = reader.Count("bytes to write", kMaxFilePiece);
    request.data = reader.Bytes(count, "data");
    return reader.Finish(request);
}

std::string EncodeWriteFileReply(const WriteFileReply& reply)
{
    return WireWriter()
        .U32(reply.lastError)
        .U32(reply.succeeded ? 1 : 0)
        .U32(reply.bytesWritten)
        .Message();
}

Result<WriteFileReply> DecodeWriteFileReply(std::string_view payload)
{
    WireReader reader(payload, ReplyName(RapiCommand::WriteFile));
    WriteFileReply reply;
    reply.lastError = reader.U32("last error");
    reply.succeeded = reader.U32("result") != 0;
    reply.bytesWritten = reader.U32("bytes written");
    return reader.Finish(reply);
}

std::string EncodeCloseHandleRequest(const CloseHandleRequest& request)
{
    return RequestWriter(RapiCommand::CloseHandle).U32(request.handle).Message();
}

Result<CloseHandleRequest> DecodeCloseHandleRequest(std::string_view payload)
{
    WireReader reader(payload, RequestName(RapiCommand::CloseHandle));
    ReadCommand(reader, RapiCommand::CloseHandle);
    CloseHandleRequest request;
    request.handle = reader.U32("handle");
    return reader.Finish(request);
}

std::string EncodeGetFileSizeRequest(const GetFileSizeRequest& request)
{
    WireWriter writer = RequestWriter(RapiCommand::GetFileSize);
    writer.U32(request.handle);
    if (request.wantsSizeHigh)
        writer.U32(1).U32(kSizeHighBytes).U32(0);
    else
        writer.U32(0);
    return writer.Message();
}

Result<GetFileSizeRequest> DecodeGetFileSizeRequest(std::string_view payload)
{
    WireReader reader(payload, RequestName(RapiCommand::GetFileSize));
    ReadCommand(reader, RapiCommand::GetFileSize);
    GetFileSizeRequest request;
    request.handle = reader.U32("handle");
    request.wantsSizeHigh = reader.Flag("high size wanted");
    if (request.wantsSizeHigh) {
        ReadSizeHighSize(reader);
        if (reader.Flag("high size given"))
            reader.Refuse("high size given", "is set in a request");
    }
    return reader.Finish(request);
}

std::string EncodeGetFileSizeReply(const GetFileSizeReply& reply)
{
    WireWriter writer;
    writer.U32(reply.lastError).U32(reply.sizeLow);
    if (reply.sizeHigh)
        writer.U32(1).U32(kSizeHighBytes).U32(1).U32(*reply.sizeHigh);
    else
        writer.U32(0);
    return writer.Message();
}

Result<GetFileSizeReply> DecodeGetFileSizeReply(std::string_view payload)
{
    WireReader reader(payload, ReplyName(RapiCommand::GetFileSize));
    GetFileSizeReply reply;
    reply.lastError = reader.U32("last error");
    reply.sizeLow = reader.U32("low size");
    if (reader.Remaining() == 0 || !reader.Flag("high size wanted"))
        return reader.Finish(reply);
    ReadSizeHighSize(reader);
    if (reader.Flag("high size given"))
        reply.sizeHigh = reader.U32("high size");
    return reader.Finish(reply);
}

std::string EncodeDeleteFileRequest(const DeleteFileRequest& request)
{
    return RequestWriter(RapiCommand::DeleteFile).String(request.name).Message();
}

Result<DeleteFileRequest> DecodeDeleteFileRequest(std::string_view payload)
{
    WireReader reader(payload, RequestName(RapiCommand::DeleteFile));
    ReadCommand(reader, RapiCommand::DeleteFile);
    DeleteFileRequest request;
    request.name = reader.RequiredString("name");
    return reader.Finish(request);
}

} // namespace zvk::wire
