#include "device/rapi_remote_api.h"

#include "device/desktop_handheld_claim.h"

namespace zvk {
namespace {

LPCWSTR Wide(const std::u16string& text)
{
    return reinterpret_cast<LPCWSTR>(text.c_str());
}

HANDLE HandleOf(CeHandle file)
{
    return reinterpret_cast<HANDLE>(file);
}

} // namespace

Result<std::unique_ptr<RemoteApi>> RapiRemoteApi::Open()
{
    Result<std::unique_ptr<RapiLibrary>> library = RapiLibrary::Load();
    if (!library)
        return Unexpected(std::move(library).error());
    return std::unique_ptr<RemoteApi>(std::make_unique<RapiRemoteApi>(std::move(library).value()));
}

RapiRemoteApi::RapiRemoteApi(std::unique_ptr<RapiLibrary> library)
    : m_library(std::move(library)), m_calls(m_library->Calls()),
      m_cancelInit(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{}

RapiRemoteApi::~RapiRemoteApi()
{
    if (m_cancelInit != nullptr)
        CloseHandle(m_cancelInit);
}

Result<ClaimOutcome> RapiRemoteApi::ClaimForTransfer()
{
    return ClaimDesktopHandheld();
}

HResult RapiRemoteApi::CeRapiInit()
{
    if (m_cancelInit == nullptr)
        return kE_FAIL;
    ResetEvent(m_cancelInit);
    m_init = {sizeof(rapi::RapiInit), nullptr, E_FAIL};
    if (FAILED(m_calls.ceRapiInitEx(&m_init)) || m_init.heRapiInit == nullptr)
        return kE_FAIL;
    const HANDLE events[] = {m_init.heRapiInit, m_cancelInit};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0)
        return kE_FAIL;
    return static_cast<HResult>(m_init.hrRapiInit);
}

// The dll gives up a connection still under way first; only then does the waiting
// CeRapiInit return, so the dll never writes to a link attempt that has ended.
HResult RapiRemoteApi::CeRapiUninit()
{
    const HRESULT result = m_calls.ceRapiUninit();
    if (m_cancelInit != nullptr)
        SetEvent(m_cancelInit);
    return static_cast<HResult>(result);
}

CeHandle RapiRemoteApi::CeCreateFile(const std::u16string& path, std::uint32_t desiredAccess,
                                     std::uint32_t shareMode, std::uint32_t creationDisposition,
                                     std::uint32_t flagsAndAttributes)
{
    const HANDLE file = m_calls.ceCreateFile(Wide(path), desiredAccess, shareMode, nullptr,
                                             creationDisposition, flagsAndAttributes, nullptr);
    return reinterpret_cast<CeHandle>(file);
}

bool RapiRemoteApi::CeReadFile(CeHandle file, void* buffer, std::uint32_t bytesToRead,
                               std::uint32_t& bytesRead)
{
    DWORD read = 0;
    const BOOL succeeded = m_calls.ceReadFile(HandleOf(file), buffer, bytesToRead, &read, nullptr);
    bytesRead = succeeded ? read : 0;
    return succeeded != FALSE;
}

bool RapiRemoteApi::CeWriteFile(CeHandle file, const void* buffer, std::uint32_t bytesToWrite,
                                std::uint32_t& bytesWritten)
{
    DWORD written = 0;
    const BOOL succeeded =
        m_calls.ceWriteFile(HandleOf(file), buffer, bytesToWrite, &written, nullptr);
    bytesWritten = succeeded ? written : 0;
    return succeeded != FALSE;
}

bool RapiRemoteApi::CeCloseHandle(CeHandle file)
{
    return m_calls.ceCloseHandle(HandleOf(file)) != FALSE;
}

std::uint32_t RapiRemoteApi::CeGetFileSize(CeHandle file, std::uint32_t* sizeHigh)
{
    DWORD high = 0;
    const DWORD low = m_calls.ceGetFileSize(HandleOf(file), &high);
    if (sizeHigh != nullptr)
        *sizeHigh = high;
    return low;
}

bool RapiRemoteApi::CeDeleteFile(const std::u16string& path)
{
    return m_calls.ceDeleteFile(Wide(path)) != FALSE;
}

bool RapiRemoteApi::CeFindAllFiles(const std::u16string& pattern, std::uint32_t flags,
                                   std::uint32_t& count, CeFindData*& found)
{
    DWORD entries = 0;
    found = nullptr;
    const BOOL succeeded = m_calls.ceFindAllFiles(Wide(pattern), flags, &entries, &found);
    count = succeeded ? entries : 0;
    return succeeded != FALSE;
}

HResult RapiRemoteApi::CeRapiFreeBuffer(void* buffer)
{
    return static_cast<HResult>(m_calls.ceRapiFreeBuffer(buffer));
}

// The handheld's handles of the new process are not used; they are closed there at once.
bool RapiRemoteApi::CeCreateProcess(const std::u16string& application,
                                    const std::u16string& commandLine)
{
    PROCESS_INFORMATION started{};
    const BOOL succeeded =
        m_calls.ceCreateProcess(Wide(application), Wide(commandLine), nullptr, nullptr, FALSE, 0,
                                nullptr, nullptr, nullptr, &started);
    for (const HANDLE handle : {started.hProcess, started.hThread})
        if (handle != nullptr)
            m_calls.ceCloseHandle(handle);
    return succeeded != FALSE;
}

std::uint32_t RapiRemoteApi::CeGetLastError()
{
    return m_calls.ceGetLastError();
}

HResult RapiRemoteApi::CeRapiGetError()
{
    return static_cast<HResult>(m_calls.ceRapiGetError());
}

} // namespace zvk
