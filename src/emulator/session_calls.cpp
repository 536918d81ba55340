#include "emulator/session_calls.h"

#include <optional>
#include <utility>

#include "wire/create_process.h"
#include "wire/file_calls.h"
#include "wire/find_all_files.h"
#include "wire/message_fields.h"
#include "wire/rapi_command.h"

namespace zvk::emulator {
namespace {

using wire::RapiCommand;

constexpr std::uint32_t kErrorDiskFull = 112;

// A real handheld's last error says nothing after a call that succeeded; the desktop is
// sent 0 then rather than whatever an earlier call left.
std::uint32_t LastErrorIf(bool failed, RemoteApi& handheld)
{
    return failed ? handheld.CeGetLastError() : 0;
}

std::uint32_t WireHandle(CeHandle handle)
{
    // Handles are 32 bits on the wire; the folder's handheld counts its own from 1.
    return handle == kInvalidCeHandle ? wire::kWireInvalidHandle
                                      : static_cast<std::uint32_t>(handle);
}

// The request decoded as `Request`, answered by `answer`.
template <class Request, class Answer>
Result<std::string> Answered(std::string_view payload, Answer answer)
{
    Result<Request> request = wire::Decode<Request>(payload);
    if (!request)
        return Unexpected(std::move(request).error());
    return answer(*request);
}

wire::FoundFile FoundFileOf(const CeFindData& entry)
{
    return {entry.fileAttributes,
            {entry.creationTime.low, entry.creationTime.high},
            {entry.lastAccessTime.low, entry.lastAccessTime.high},
            {entry.lastWriteTime.low, entry.lastWriteTime.high},
            entry.fileSizeHigh,
            entry.fileSizeLow,
            entry.objectId,
            std::u16string(entry.fileName)};
}

std::string FindAll(const wire::FindAllFilesRequest& request, RemoteApi& handheld)
{
    std::uint32_t count = 0;
    CeFindData* found = nullptr;
    const bool succeeded = handheld.CeFindAllFiles(request.pattern, request.flags, count, found);
    wire::FindAllFilesReply reply{LastErrorIf(!succeeded, handheld), succeeded ? 1u : 0u, {}};
    for (std::uint32_t i = 0; i < count; ++i)
        reply.files.push_back(FoundFileOf(found[i]));
    if (found != nullptr)
        handheld.CeRapiFreeBuffer(found);
    return wire::Encode(std::move(reply), request.flags);
}

std::string Read(const wire::ReadFileRequest& request, RemoteApi& handheld)
{
    std::string data(request.bytesToRead, '\0');
    std::uint32_t bytesRead = 0;
    const bool succeeded =
        handheld.CeReadFile(request.handle, data.data(), request.bytesToRead, bytesRead);
    data.resize(bytesRead);
    return wire::Encode(
        wire::ReadFileReply{LastErrorIf(!succeeded, handheld), succeeded, std::move(data)});
}

std::string Write(const wire::WriteFileRequest& request, RemoteApi& handheld, DiskSpace& disk)
{
    const auto wanted = static_cast<std::uint32_t>(request.data.size());
    const std::uint32_t fits = disk.Take(wanted);
    std::uint32_t written = 0;
    bool succeeded = handheld.CeWriteFile(request.handle, request.data.data(), fits, written);
    std::uint32_t lastError = LastErrorIf(!succeeded, handheld);
    if (succeeded && fits < wanted) {
        succeeded = false;
        lastError = kErrorDiskFull;
    }
    return wire::Encode(wire::WriteFileReply{lastError, succeeded, written});
}

std::string FileSize(const wire::GetFileSizeRequest& request, RemoteApi& handheld)
{
    std::uint32_t high = 0;
    const std::uint32_t low =
        handheld.CeGetFileSize(request.handle, request.wantsSizeHigh ? &high : nullptr);
    const bool failed = low == kInvalidFileSize;
    return wire::Encode(wire::GetFileSizeReply{
        LastErrorIf(failed, handheld), low,
        request.wantsSizeHigh && !failed ? std::optional(high) : std::nullopt});
}

std::string StartProcess(const wire::CreateProcessRequest& request, RemoteApi& handheld)
{
    const bool succeeded = handheld.CeCreateProcess(request.application.value_or(u""),
                                                    request.commandLine.value_or(u""));
    // The folder's handheld program has no process or thread handles for the desktop to
    // close: they stay 0, which no handheld gives to a handle it opened.
    return wire::Encode(wire::CreateProcessReply{LastErrorIf(!succeeded, handheld), succeeded});
}

std::string BoolAnswer(RapiCommand call, bool succeeded, RemoteApi& handheld)
{
    return wire::Encode(wire::BoolReply{LastErrorIf(!succeeded, handheld), succeeded}, call);
}

} // namespace

Result<std::string> AnswerCall(std::string_view request, RemoteApi& handheld, DiskSpace& disk,
                               std::set<CeHandle>& open)
{
    const Result<RapiCommand> command = wire::RequestCommand(request);
    if (!command)
        return Unexpected(command.error());
    switch (*command) {
    case RapiCommand::CreateFile:
        return Answered<wire::CreateFileRequest>(request, [&](const auto& call) {
            const CeHandle handle =
                handheld.CeCreateFile(call.name, call.desiredAccess, call.shareMode,
                                      call.creationDisposition, call.flagsAndAttributes);
            if (handle != kInvalidCeHandle)
                open.insert(handle);
            return wire::Encode(wire::CreateFileReply{
                LastErrorIf(handle == kInvalidCeHandle, handheld), WireHandle(handle)});
        });
    case RapiCommand::ReadFile:
        return Answered<wire::ReadFileRequest>(
            request, [&](const auto& call) { return Read(call, handheld); });
    case RapiCommand::WriteFile:
        return Answered<wire::WriteFileRequest>(
            request, [&](const auto& call) { return Write(call, handheld, disk); });
    case RapiCommand::CloseHandle:
        return Answered<wire::CloseHandleRequest>(request, [&](const auto& call) {
            open.erase(call.handle);
            return BoolAnswer(*command, handheld.CeCloseHandle(call.handle), handheld);
        });
    case RapiCommand::FindAllFiles:
        return Answered<wire::FindAllFilesRequest>(
            request, [&](const auto& call) { return FindAll(call, handheld); });
    case RapiCommand::CreateProcess:
        return Answered<wire::CreateProcessRequest>(
            request, [&](const auto& call) { return StartProcess(call, handheld); });
    case RapiCommand::DeleteFile:
        return Answered<wire::DeleteFileRequest>(request, [&](const auto& call) {
            return BoolAnswer(*command, handheld.CeDeleteFile(call.name), handheld);
        });
    case RapiCommand::GetFileSize:
        return Answered<wire::GetFileSizeRequest>(
            request, [&](const auto& call) { return FileSize(call, handheld); });
    }
    return Fail("the handheld does not serve " + std::string(wire::CommandName(*command)));
}

} // namespace zvk::emulator
