#pragma once

#include <memory>

#include "device/rapi_library.h"
#include "device/remote_api.h"

namespace zvk {

// The real handheld, reached through the desktop's device connection software: every call
// goes to rapi.dll with the arguments the reference gives it, the null ones included.
// CeRapiInit waits for the link through CeRapiInitEx, so that CeRapiUninit from another
// thread (the watchdog's) ends the wait at once. All calls may come from any thread.
class RapiRemoteApi final : public RemoteApi
{
public:
    // The handheld through rapi.dll, or why the dll cannot be used.
    static Result<std::unique_ptr<RemoteApi>> Open();

    explicit RapiRemoteApi(std::unique_ptr<RapiLibrary> library);
    ~RapiRemoteApi() override;

    // The desktop's one handheld, whichever link reaches it (ClaimDesktopHandheld).
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
    const std::unique_ptr<RapiLibrary> m_library;
    const rapi::Functions& m_calls;
    // Set by CeRapiUninit: a CeRapiInit still waiting gives up.
    const HANDLE m_cancelInit;
    // Written by the dll until the link is up or given up, so it lives as long as the dll.
    rapi::RapiInit m_init{};
};

} // namespace zvk
