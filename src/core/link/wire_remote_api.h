#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <mutex>
#include <stop_token>

#include "device/remote_api.h"
#include "device/search_results.h"
#include "link/rapi_session.h"
#include "link/session_source.h"
#include "link/surprise_capture.h"

namespace zvk {

// The real handheld over its own network link, without the desktop's device connection
// software: CeRapiInit opens a Remote API session from `sessions`, each call is a request
// and its reply on it, and CeRapiUninit closes it. The calls mean what they mean through
// rapi.dll: the handheld's last error comes with each reply, and CeRapiGetError tells a
// broken link (kE_FAIL) from a handheld that only refused (kS_OK). A transfer's worker makes
// the calls from one thread; CeRapiUninit may come from another (the watchdog's) and ends
// any wait for the handheld at once.
class WireRemoteApi final : public RemoteApi
{
public:
    // Replies that surprise are kept under `cacheFolder` (SurpriseCapture); an empty one
    // keeps none.
    WireRemoteApi(std::unique_ptr<SessionSource> sessions, std::filesystem::path cacheFolder,
                  std::chrono::milliseconds replyLimit = kReplyLimit);
    ~WireRemoteApi() override;

    Result<ClaimOutcome> ClaimForTransfer() override;
    HResult CeRapiInit() override;
    HResult CeRapiUninit() override;
    CeHandle CeCreateFile(const std::u16string& path, std::uint32_t desiredAccess,
                          std::uint32_t shareMode, std::uint32_t creationDisposition,
                          std::uint32_t flagsAndAttributes) override;
    bool CeReadFile(CeHandle file, void* buffer, std::uint32_t bytesToRead,
                    std::uint32_t& bytesRead) override;
    bool CeWriteFile(CeHandle file, const void* buffer, std::uint32_t bytesToWrite,
                     std::uint32_t& bytesWritten) override;
    bool CeCloseHandle(CeHandle file) override;
    std::uint32_t CeGetFileSize(CeHandle file, std::uint32_t* sizeHigh) override;
    bool CeDeleteFile(const std::u16string& path) override;
    bool CeFindAllFiles(const std::u16string& pattern, std::uint32_t flags, std::uint32_t& count,
                        CeFindData*& found) override;
    HResult CeRapiFreeBuffer(void* buffer) override;
    bool CeCreateProcess(const std::u16string& application,
                         const std::u16string& commandLine) override;
    std::uint32_t CeGetLastError() override;
    HResult CeRapiGetError() override;

private:
    // The session the calls go to; none before CeRapiInit and after CeRapiUninit. A call
    // holds its own share, so that CeRapiUninit never closes a connection under it.
    std::shared_ptr<RapiSession> Session();
    // A new session in the place of one that died, unless the link was closed meanwhile;
    // none when the handheld does not open one.
    std::shared_ptr<RapiSession> Reopen();

    const std::unique_ptr<SessionSource> m_sessions;
    const SurpriseCapture m_captures;
    const std::chrono::milliseconds m_replyLimit;

    std::mutex m_mutex;
    // Requested by CeRapiUninit: ends a CeRapiInit still waiting and a call's wait.
    std::stop_source m_stop;
    bool m_initializing = false;
    std::shared_ptr<RapiSession> m_session;
    SearchResults m_searchResults;
};

} // namespace zvk
