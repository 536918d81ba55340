#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "wire/message_fields.h"

namespace zvk::wire {

// The file calls of a Remote API session: for each, the request the desktop sends and the
// reply the handheld sends, as payloads of frames, each described once for Encode and
// Decode (message_fields.h). Every reply opens with the handheld's last error.

// The most bytes one read or write moves: far above the pieces the desktop moves, so
// that no handheld's own answer is refused, and small enough that a damaged count never
// makes either side keep much.
inline constexpr std::uint32_t kMaxFilePiece = 1024 * 1024;

// The handle a failed CeCreateFile returns.
inline constexpr std::uint32_t kWireInvalidHandle = 0xFFFFFFFF;

// The reply of the calls that answer only whether they did it (CeCloseHandle,
// CeDeleteFile); the call it answers is its context.
struct BoolReply
{
    std::uint32_t lastError = 0;
    bool succeeded = false;

    friend bool operator==(const BoolReply&, const BoolReply&) = default;
};

template <class Fields> void Transcribe(Fields& fields, BoolReply& reply, RapiCommand call)
{
    fields.Reply(call);
    fields.U32("last error", reply.lastError);
    fields.Bool("result", reply.succeeded);
}

struct CreateFileRequest
{
    std::u16string name;
    std::uint32_t desiredAccess = 0;
    std::uint32_t shareMode = 0;
    std::uint32_t creationDisposition = 0;
    std::uint32_t flagsAndAttributes = 0;

    friend bool operator==(const CreateFileRequest&, const CreateFileRequest&) = default;
};

template <class Fields> void Transcribe(Fields& fields, CreateFileRequest& request)
{
    fields.Request(RapiCommand::CreateFile);
    fields.Name("name", request.name);
    fields.U32("desired access", request.desiredAccess);
    fields.U32("share mode", request.shareMode);
    fields.U32("creation disposition", request.creationDisposition);
    fields.U32("flags and attributes", request.flagsAndAttributes);
    fields.Zero("template file");
}

struct CreateFileReply
{
    std::uint32_t lastError = 0;
    std::uint32_t handle = kWireInvalidHandle;

    friend bool operator==(const CreateFileReply&, const CreateFileReply&) = default;
};

template <class Fields> void Transcribe(Fields& fields, CreateFileReply& reply)
{
    fields.Reply(RapiCommand::CreateFile);
    fields.U32("last error", reply.lastError);
    fields.U32("handle", reply.handle);
}

struct ReadFileRequest
{
    std::uint32_t handle = 0;
    std::uint32_t bytesToRead = 0;

    friend bool operator==(const ReadFileRequest&, const ReadFileRequest&) = default;
};

template <class Fields> void Transcribe(Fields& fields, ReadFileRequest& request)
{
    fields.Request(RapiCommand::ReadFile);
    fields.U32("handle", request.handle);
    fields.Count("bytes to read", request.bytesToRead, kMaxFilePiece);
}

struct ReadFileReply
{
    std::uint32_t lastError = 0;
    bool succeeded = false;
    std::string data;

    friend bool operator==(const ReadFileReply&, const ReadFileReply&) = default;
};

// A reply with more bytes than `bytesAsked` is refused: the handheld gave what no one
// asked for.
template <class Fields>
void Transcribe(Fields& fields, ReadFileReply& reply, std::uint32_t bytesAsked = kMaxFilePiece)
{
    fields.Reply(RapiCommand::ReadFile);
    fields.U32("last error", reply.lastError);
    fields.Bool("result", reply.succeeded);
    fields.Data("bytes read", reply.data, bytesAsked);
}

struct WriteFileRequest
{
    std::uint32_t handle = 0;
    std::string data;

    friend bool operator==(const WriteFileRequest&, const WriteFileRequest&) = default;
};

template <class Fields> void Transcribe(Fields& fields, WriteFileRequest& request)
{
    fields.Request(RapiCommand::WriteFile);
    fields.U32("handle", request.handle);
    fields.Data("bytes to write", request.data, kMaxFilePiece);
}

struct WriteFileReply
{
    std::uint32_t lastError = 0;
    bool succeeded = false;
    std::uint32_t bytesWritten = 0;

    friend bool operator==(const WriteFileReply&, const WriteFileReply&) = default;
};

template <class Fields> void Transcribe(Fields& fields, WriteFileReply& reply)
{
    fields.Reply(RapiCommand::WriteFile);
    fields.U32("last error", reply.lastError);
    fields.Bool("result", reply.succeeded);
    fields.U32("bytes written", reply.bytesWritten);
}

struct CloseHandleRequest
{
    std::uint32_t handle = 0;

    friend bool operator==(const CloseHandleRequest&, const CloseHandleRequest&) = default;
};

template <class Fields> void Transcribe(Fields& fields, CloseHandleRequest& request)
{
    fields.Request(RapiCommand::CloseHandle);
    fields.U32("handle", request.handle);
}

struct GetFileSizeRequest
{
    std::uint32_t handle = 0;
    // Whether the caller asks for the high 32 bits of the size too.
    bool wantsSizeHigh = false;

    friend bool operator==(const GetFileSizeRequest&, const GetFileSizeRequest&) = default;
};

template <class Fields> void Transcribe(Fields& fields, GetFileSizeRequest& request)
{
    fields.Request(RapiCommand::GetFileSize);
    fields.U32("handle", request.handle);
    fields.SizeHighWanted("high size wanted", request.wantsSizeHigh);
}

struct GetFileSizeReply
{
    std::uint32_t lastError = 0;
    std::uint32_t sizeLow = 0; // 0xFFFFFFFF when the size could not be had
    // The high 32 bits, when the handheld sent them: it may leave their block out.
    std::optional<std::uint32_t> sizeHigh;

    friend bool operator==(const GetFileSizeReply&, const GetFileSizeReply&) = default;
};

template <class Fields> void Transcribe(Fields& fields, GetFileSizeReply& reply)
{
    fields.Reply(RapiCommand::GetFileSize);
    fields.U32("last error", reply.lastError);
    fields.U32("low size", reply.sizeLow);
    fields.SizeHigh("high size", reply.sizeHigh);
}

struct DeleteFileRequest
{
    std::u16string name;

    friend bool operator==(const DeleteFileRequest&, const DeleteFileRequest&) = default;
};

template <class Fields> void Transcribe(Fields& fields, DeleteFileRequest& request)
{
    fields.Request(RapiCommand::DeleteFile);
    fields.Name("name", request.name);
}

} // namespace zvk::wire
