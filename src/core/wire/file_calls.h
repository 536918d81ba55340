#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "system/result.h"
#include "wire/rapi_command.h"

namespace zvk::wire {

// The file calls of a Remote API session: for each, the request the desktop sends and the
// reply the handheld sends, as payloads of frames. The desktop encodes requests and
// decodes replies, the handheld's side (the device emulator) decodes requests and encodes
// replies, with the same code. Every reply opens with the handheld's last error.

// The most bytes one read or write moves: far above the pieces the desktop moves, so
// that no handheld's own answer is refused, and small enough that a damaged count never
// makes either side keep much.
inline constexpr std::uint32_t kMaxFilePiece = 1024 * 1024;

// The handle a failed CeCreateFile returns.
inline constexpr std::uint32_t kWireInvalidHandle = 0xFFFFFFFF;

// The reply of the calls that answer only whether they did it.
struct BoolReply
{
    std::uint32_t lastError = 0;
    bool succeeded = false;

    friend bool operator==(const BoolReply&, const BoolReply&) = default;
};

struct CreateFileRequest
{
    std::u16string name;
    std::uint32_t desiredAccess = 0;
    std::uint32_t shareMode = 0;
    std::uint32_t creationDisposition = 0;
    std::uint32_t flagsAndAttributes = 0;
    std::uint32_t templateFile = 0;

    friend bool operator==(const CreateFileRequest&, const CreateFileRequest&) = default;
};

struct CreateFileReply
{
    std::uint32_t lastError = 0;
    std::uint32_t handle = kWireInvalidHandle;

    friend bool operator==(const CreateFileReply&, const CreateFileReply&) = default;
};

struct ReadFileRequest
{
    std::uint32_t handle = 0;
    std::uint32_t bytesToRead = 0;

    friend bool operator==(const ReadFileRequest&, const ReadFileRequest&) = default;
};

struct ReadFileReply
{
    std::uint32_t lastError = 0;
    bool succeeded = false;
    std::string data;

    friend bool operator==(const ReadFileReply&, const ReadFileReply&) = default;
};

struct WriteFileRequest
{
    std::uint32_t handle = 0;
    std::string data;

    friend bool operator==(const WriteFileRequest&, const WriteFileRequest&) = default;
};

struct WriteFileReply
{
    std::uint32_t lastError = 0;
    bool succeeded = false;
    std::uint32_t bytesWritten = 0;

    friend bool operator==(const WriteFileReply&, const WriteFileReply&) = default;
};

struct CloseHandleRequest
{
    std::uint32_t handle = 0;

    friend bool operator==(const CloseHandleRequest&, const CloseHandleRequest&) = default;
};

struct GetFileSizeRequest
{
    std::uint32_t handle = 0;
    // Whether the caller asks for the high 32 bits of the size too.
    bool wantsSizeHigh = false;

    friend bool operator==(const GetFileSizeRequest&, const GetFileSizeRequest&) = default;
};

struct GetFileSizeReply
{
    std::uint32_t lastError = 0;
    std::uint32_t sizeLow = 0; // 0xFFFFFFFF when the size could not be had
    // The high 32 bits, when the handheld sent them.
    std::optional<std::uint32_t> sizeHigh;

    friend bool operator==(const GetFileSizeReply&, const GetFileSizeReply&) = default;
};

struct DeleteFileRequest
{
    std::u16string name;

    friend bool operator==(const DeleteFileRequest&, const DeleteFileRequest&) = default;
};

std::string EncodeBoolReply(const BoolReply& reply);
// `call` is the call answered (CeCloseHandle, CeDeleteFile), named in failures.
Result<BoolReply> DecodeBoolReply(std::string_view payload, RapiCommand call);

std::string EncodeCreateFileRequest(const CreateFileRequest& request);
Result<CreateFileRequest> DecodeCreateFileRequest(std::string_view payload);
std::string EncodeCreateFileReply(const CreateFileReply& reply);
Result<CreateFileReply> DecodeCreateFileReply(std::string_view payload);

std::string EncodeReadFileRequest(const ReadFileRequest& request);
Result<ReadFileRequest> DecodeReadFileRequest(std::string_view payload);
std::string EncodeReadFileReply(const ReadFileReply& reply);
// A reply with more bytes than `bytesAsked` is refused: the handheld gave what no one
// asked for.
Result<ReadFileReply> DecodeReadFileReply(std::string_view payload, std::uint32_t bytesAsked);

std::string EncodeWriteFileRequest(const WriteFileRequest& request);
Result<WriteFileRequest> DecodeWriteFileRequest(std::string_view payload);
std::string EncodeWriteFileReply(const WriteFileReply& reply);
Result<WriteFileReply> DecodeWriteFileReply(std::string_view payload);

std::string EncodeCloseHandleRequest(const CloseHandleRequest& request);
Result<CloseHandleRequest> DecodeCloseHandleRequest(std::string_view payload);

std::string EncodeGetFileSizeRequest(const GetFileSizeRequest& request);
Result<GetFileSizeRequest> DecodeGetFileSizeRequest(std::string_view payload);
std::string EncodeGetFileSizeReply(const GetFileSizeReply& reply);
// The high 32 bits come in an optional block that a handheld may leave out altogether;
// both forms are read.
Result<GetFileSizeReply> DecodeGetFileSizeReply(std::string_view payload);

std::string EncodeDeleteFileRequest(const DeleteFileRequest& request);
Result<DeleteFileRequest> DecodeDeleteFileRequest(std::string_view payload);

} // namespace zvk::wire
