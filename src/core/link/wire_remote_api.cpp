#include "link/wire_remote_api.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <optional>
#include <string>

#include "device/desktop_handheld_claim.h"
#include "wire/create_process.h"
#include "wire/file_calls.h"
#include "wire/find_all_files.h"

namespace zvk {
namespace {

// As with rapi.dll, each thread has its own account of its last call.
thread_local std::uint32_t lastError = 0;
thread_local HResult linkError = kS_OK;

// The handheld's handles are 32-bit words; the invalid one is all ones in both forms.
std::uint32_t WireHandle(CeHandle handle)
{
    if (handle == kInvalidCeHandle)
        return wire::kWireInvalidHandle;
    assert(handle <= wire::kWireInvalidHandle);
    return static_cast<std::uint32_t>(handle);
}

CeHandle DesktopHandle(std::uint32_t handle)
{
    return handle == wire::kWireInvalidHandle ? kInvalidCeHandle : CeHandle{handle};
}

const auto kAnyReply = [](const auto&) -> Result<> { return {}; };

// One call on `session`: the request out, its reply back as a `Reply` that the decoder
// (given `context`) and `check` both take. Without a session the call fails here, as the
// Remote API's calls do before CeRapiInit; a broken link or a reply that cannot be taken
// fails it as a link that no longer holds.
template <class Reply, class Request, class Check, class... Context>
std::optional<Reply> Call(const std::shared_ptr<RapiSession>& session, Request request,
                          const Check& check, const Context&... context)
{
    if (session == nullptr) {
        lastError = kErrorNotConnected;
        linkError = kS_OK;
        return std::nullopt;
    }
    std::optional<Reply> taken;
    const Result<> called =
        session->Call(wire::Encode(std::move(request)), [&](std::string_view payload) -> Result<> {
            Result<Reply> reply = wire::Decode<Reply>(payload, context...);
            if (!reply)
                return Unexpected(std::move(reply).error());
            if (Result<> checked = check(*reply); !checked)
                return checked;
            taken = std::move(*reply);
            return {};
        });
    if (!called) {
        lastError = 0;
        linkError = kE_FAIL;
        return std::nullopt;
    }
    lastError = taken->lastError;
    linkError = kS_OK;
    return taken;
}

// A name that an entry cannot hold with its NUL would reach the desktop cut short, as the
// name of another file.
Result<> NamesFitTheirEntries(const wire::FindAllFilesReply& reply)
{
    for (const wire::FoundFile& file : reply.files)
        if (file.name.size() >= kCeMaxPath)
            return Fail("CeFindAllFiles reply: a name of " + std::to_string(file.name.size()) +
                        " characters, more than a search entry holds");
    return {};
}

// A search entry in the handheld's published layout.
CeFindData EntryOf(const wire::FoundFile& file)
{
    CeFindData entry{};
    entry.fileAttributes = file.attributes;
    entry.creationTime = {file.creationTime.low, file.creationTime.high};
    entry.lastAccessTime = {file.lastAccessTime.low, file.lastAccessTime.high};
    entry.lastWriteTime = {file.lastWriteTime.low, file.lastWriteTime.high};
    entry.fileSizeHigh = file.sizeHigh;
    entry.fileSizeLow = file.sizeLow;
    entry.objectId = file.objectId;
    std::copy(file.name.begin(), file.name.end(), entry.fileName);
    return entry;
}

} // namespace

WireRemoteApi::WireRemoteApi(std::unique_ptr<SessionSource> sessions,
                             std::filesystem::path cacheFolder,
                             std::chrono::milliseconds replyLimit)
    : m_sessions(std::move(sessions)), m_captures(std::move(cacheFolder)), m_replyLimit(replyLimit)
{}

WireRemoteApi::~WireRemoteApi() = default;

Result<ClaimOutcome> WireRemoteApi::ClaimForTransfer()
{
    return ClaimDesktopHandheld(m_sessions->ClaimName());
}

HResult WireRemoteApi::CeRapiInit()
{
    std::stop_token stop;
    {
        const std::lock_guard lock(m_mutex);
        if (m_initializing || m_session != nullptr)
            return kCeRapiE_AlreadyInitialized;
        m_initializing = true;
        m_stop = std::stop_source();
        stop = m_stop.get_token();
    }
    Result<TcpConnection> connection = m_sessions->OpenSession(stop);
    const std::lock_guard lock(m_mutex);
    m_initializing = false;
    // A CeRapiUninit while the handheld answered gives the session up.
    if (!connection || stop.stop_requested())
        return kE_FAIL;
    m_session = std::make_shared<RapiSession>(std::move(connection).value(), stop, m_captures,
                                              m_replyLimit);
    return kS_OK;
}

// The stop ends a wait under way at once; the connection closes when the last share of its
// session goes, here or in a call that was still waiting.
HResult WireRemoteApi::CeRapiUninit()
{
    std::shared_ptr<RapiSession> ended;
    {
        const std::lock_guard lock(m_mutex);
        m_stop.request_stop();
        ended = std::move(m_session);
    }
    return kS_OK;
}

std::shared_ptr<RapiSession> WireRemoteApi::Session()
{
    const std::lock_guard lock(m_mutex);
    return m_session;
}

CeHandle WireRemoteApi::CeCreateFile(const std::u16string& path, std::uint32_t desiredAccess,
                                     std::uint32_t shareMode, std::uint32_t creationDisposition,
                                     std::uint32_t flagsAndAttributes)
{
    const std::optional<wire::CreateFileReply> reply = Call<wire::CreateFileReply>(
        Session(),
        wire::CreateFileRequest{path, desiredAccess, shareMode, creationDisposition,
                                flagsAndAttributes},
        kAnyReply);
    return reply ? DesktopHandle(reply->handle) : kInvalidCeHandle;
}

// The workers ask for a piece at a time, far below what one reply may carry.
bool WireRemoteApi::CeReadFile(CeHandle file, void* buffer, std::uint32_t bytesToRead,
                               std::uint32_t& bytesRead)
{
    assert(bytesToRead <= wire::kMaxFilePiece);
    bytesRead = 0;
    const std::optional<wire::ReadFileReply> reply = Call<wire::ReadFileReply>(
        Session(), wire::ReadFileRequest{WireHandle(file), bytesToRead}, kAnyReply, bytesToRead);
    if (!reply || !reply->succeeded)
        return false;
    std::memcpy(buffer, reply->data.data(), reply->data.size());
    bytesRead = static_cast<std::uint32_t>(reply->data.size());
    return true;
}

bool WireRemoteApi::CeWriteFile(CeHandle file, const void* buffer, std::uint32_t bytesToWrite,
                                std::uint32_t& bytesWritten)
{
    assert(bytesToWrite <= wire::kMaxFilePiece);
    bytesWritten = 0;
    // A handheld that wrote more than it was sent has answered another request.
    const auto noMoreThanSent = [bytesToWrite](const wire::WriteFileReply& reply) -> Result<> {
        if (reply.bytesWritten > bytesToWrite)
            return Fail("CeWriteFile reply: " + std::to_string(reply.bytesWritten) +
                        " bytes written of " + std::to_string(bytesToWrite) + " sent");
        return {};
    };
    const std::optional<wire::WriteFileReply> reply = Call<wire::WriteFileReply>(
        Session(),
        wire::WriteFileRequest{WireHandle(file),
                               std::string(static_cast<const char*>(buffer), bytesToWrite)},
        noMoreThanSent);
    if (!reply || !reply->succeeded)
        return false;
    bytesWritten = reply->bytesWritten;
    return true;
}

bool WireRemoteApi::CeCloseHandle(CeHandle file)
{
    const std::optional<wire::BoolReply> reply =
        Call<wire::BoolReply>(Session(), wire::CloseHandleRequest{WireHandle(file)}, kAnyReply,
                              wire::RapiCommand::CloseHandle);
    return reply && reply->succeeded;
}

std::uint32_t WireRemoteApi::CeGetFileSize(CeHandle file, std::uint32_t* sizeHigh)
{
    const std::optional<wire::GetFileSizeReply> reply = Call<wire::GetFileSizeReply>(
        Session(), wire::GetFileSizeRequest{WireHandle(file), sizeHigh != nullptr}, kAnyReply);
    if (sizeHigh != nullptr)
        *sizeHigh = reply ? reply->sizeHigh.value_or(0) : 0;
    return reply ? reply->sizeLow : kInvalidFileSize;
}

std::shared_ptr<RapiSession> WireRemoteApi::Reopen()
{
    std::stop_token stop;
    {
        const std::lock_guard lock(m_mutex);
        if (m_session == nullptr)
            return nullptr;
        stop = m_stop.get_token();
    }
    Result<TcpConnection> connection = m_sessions->OpenSession(stop);
    const std::lock_guard lock(m_mutex);
    if (!connection || stop.stop_requested() || m_session == nullptr)
        return nullptr;
    m_session = std::make_shared<RapiSession>(std::move(connection).value(), stop, m_captures,
                                              m_replyLimit);
    return m_session;
}

// Deleting is how the desktop takes back half a file after a failed send. When the session
// broke under the send, the file's end went with it and the half file would reach the
// handheld program's next import: the handheld is asked for a new session to delete it.
bool WireRemoteApi::CeDeleteFile(const std::u16string& path)
{
    std::shared_ptr<RapiSession> session = Session();
    if (session != nullptr && session->Dead())
        session = Reopen();
    const std::optional<wire::BoolReply> reply = Call<wire::BoolReply>(
        session, wire::DeleteFileRequest{path}, kAnyReply, wire::RapiCommand::DeleteFile);
    return reply && reply->succeeded;
}

bool WireRemoteApi::CeFindAllFiles(const std::u16string& pattern, std::uint32_t flags,
                                   std::uint32_t& count, CeFindData*& found)
{
    count = 0;
    found = nullptr;
    const std::optional<wire::FindAllFilesReply> reply = Call<wire::FindAllFilesReply>(
        Session(), wire::FindAllFilesRequest{pattern, flags}, NamesFitTheirEntries, flags);
    if (!reply || reply->result == 0)
        return false;
    std::vector<CeFindData> entries(reply->files.size());
    std::transform(reply->files.begin(), reply->files.end(), entries.begin(), EntryOf);
    m_searchResults.HandOut(std::move(entries), count, found);
    return true;
}

HResult WireRemoteApi::CeRapiFreeBuffer(void* buffer)
{
    return m_searchResults.Free(buffer);
}

// The handheld's handles of the new process are not used; they are closed there at once,
// and the call's own outcome stays what its caller learns.
bool WireRemoteApi::CeCreateProcess(const std::u16string& application,
                                    const std::u16string& commandLine)
{
    const std::optional<wire::CreateProcessReply> reply = Call<wire::CreateProcessReply>(
        Session(), wire::CreateProcessRequest{application, commandLine, 0}, kAnyReply);
    if (!reply)
        return false;
    const std::uint32_t startError = lastError;
    for (const std::uint32_t handle : {reply->process, reply->thread})
        if (handle != 0)
            static_cast<void>(CeCloseHandle(handle));
    lastError = startError;
    linkError = kS_OK;
    return reply->succeeded;
}

std::uint32_t WireRemoteApi::CeGetLastError()
{
    return lastError;
}

HResult WireRemoteApi::CeRapiGetError()
{
    return linkError;
}

} // namespace zvk
