// A rapi.dll of our own for the tests of zvk.exe on Windows: it exports what the desktop
// calls in the real one, with the same calling convention, and plays a handheld over the
// folder that ZVK_STAND_IN_HANDHELD names: the handheld emulator, emulator.ini knobs and
// all, its simulated link included. zvk.exe loads it as it loads the real dll, when it lies
// beside the program.
//
// ZVK_STAND_IN_DELETIONS, when set, names a file that gets one line for every list the
// desktop deletes on the handheld, saying whether the desktop's copy of it in the folder
// ZVK_STAND_IN_DESKTOP was complete at that moment: "LIST0001.DAT complete".
//
// ZVK_STAND_IN_CALLS, when set, names a file that gets, as each link closes, the calls that
// went over it by kind, one line each: "CeReadFile 8".

#include <cwchar>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>

#include "device/emulated_program.h"
#include "device/handheld_contract.h"
#include "device/handheld_emulator.h"
#include "device/rapi_declarations.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace {

std::optional<fs::path> FolderOf(const wchar_t* variable)
{
    const wchar_t* value = _wgetenv(variable);
    if (value == nullptr || *value == 0)
        return std::nullopt;
    return fs::path(value);
}

// The handheld behind the link: made by CeRapiInitEx, and gone after CeRapiUninit, once
// its program has done what the transfer started. It never outlives the link, so that
// unloading the dll never has to wait for its program's thread.
struct Link
{
    std::mutex mutex;
    std::unique_ptr<zvk::HandheldEmulator> handheld;
    // Runs the emulator's own CeRapiInit, which waits as emulator.ini says, until it
    // answers or CeRapiUninit gives it up.
    std::jthread attempt;
    HANDLE done = nullptr;
};

Link& TheLink()
{
    static Link link;
    return link;
}

// The handheld of the link; null when no link was asked for.
zvk::HandheldEmulator* Connected()
{
    Link& link = TheLink();
    const std::lock_guard lock(link.mutex);
    return link.handheld.get();
}

std::u16string Text(LPCWSTR text)
{
    return text != nullptr ? std::u16string(reinterpret_cast<const char16_t*>(text)) : u"";
}

zvk::CeHandle Handle(HANDLE handle)
{
    return reinterpret_cast<zvk::CeHandle>(handle);
}

// Whether the desktop's copy of the handheld file `path` is whole: same bytes.
void RecordDeletion(const zvk::HandheldEmulator& handheld, const std::u16string& path)
{
    const std::optional<fs::path> log = FolderOf(L"ZVK_STAND_IN_DELETIONS");
    const std::optional<fs::path> desktop = FolderOf(L"ZVK_STAND_IN_DESKTOP");
    const std::optional<fs::path> onHandheld = zvk::EmulatedPath(handheld.Folder(), path);
    const std::optional<fs::path> name = zvk::DesktopNameOf(path.substr(path.rfind(u'\\') + 1));
    if (!log || !desktop || !onHandheld || !name)
        return;
    const auto bytes = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::error_code ec;
    const bool complete =
        fs::is_regular_file(*desktop / *name, ec) && bytes(*desktop / *name) == bytes(*onHandheld);
    std::ofstream(*log, std::ios::binary | std::ios::app)
        << zvk::PathText(*name) << (complete ? " complete\n" : " incomplete\n");
}

} // namespace

extern "C" {

HRESULT WINAPI CeRapiInitEx(zvk::rapi::RapiInit* init)
{
    const std::optional<fs::path> folder = FolderOf(L"ZVK_STAND_IN_HANDHELD");
    if (init == nullptr || init->cbSize != sizeof(zvk::rapi::RapiInit) || !folder)
        return E_INVALIDARG;
    Link& link = TheLink();
    const std::lock_guard lock(link.mutex);
    if (!link.handheld)
        link.handheld = std::make_unique<zvk::HandheldEmulator>(*folder);
    if (link.done == nullptr)
        link.done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ResetEvent(link.done);
    init->heRapiInit = link.done;
    init->hrRapiInit = E_PENDING;
    link.attempt = std::jthread([init, handheld = link.handheld.get(), done = link.done] {
        init->hrRapiInit = static_cast<HRESULT>(handheld->CeRapiInit());
        SetEvent(done);
    });
    return S_OK;
}

HRESULT WINAPI CeRapiUninit()
{
    Link& link = TheLink();
    std::unique_ptr<zvk::HandheldEmulator> handheld;
    std::jthread attempt;
    {
        const std::lock_guard lock(link.mutex);
        handheld = std::move(link.handheld);
        attempt = std::move(link.attempt);
    }
    if (!handheld)
        return E_FAIL;
    handheld->CeRapiUninit();
    if (attempt.joinable())
        attempt.join();
    if (const std::optional<fs::path> calls = FolderOf(L"ZVK_STAND_IN_CALLS"))
        std::ofstream(*calls, std::ios::binary | std::ios::app) << handheld->CallCounts().Text();
    // The handheld's program finishes what the transfer started as the handheld goes.
    return S_OK;
}

HANDLE WINAPI CeCreateFile(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                           SECURITY_ATTRIBUTES* /*security*/, DWORD creationDisposition,
                           DWORD flagsAndAttributes, HANDLE /*templateFile*/)
{
    zvk::HandheldEmulator* handheld = Connected();
    const zvk::CeHandle file =
        handheld == nullptr ? zvk::kInvalidCeHandle
                            : handheld->CeCreateFile(Text(fileName), desiredAccess, shareMode,
                                                     creationDisposition, flagsAndAttributes);
    if (file == zvk::kInvalidCeHandle)
        return INVALID_HANDLE_VALUE;
    return reinterpret_cast<HANDLE>(file);
}

BOOL WINAPI CeReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead,
                       OVERLAPPED* /*overlapped*/)
{
    zvk::HandheldEmulator* handheld = Connected();
    std::uint32_t read = 0;
    const bool succeeded =
        handheld != nullptr && handheld->CeReadFile(Handle(file), buffer, bytesToRead, read);
    *bytesRead = read;
    return succeeded ? TRUE : FALSE;
}

BOOL WINAPI CeWriteFile(HANDLE file, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten,
                        OVERLAPPED* /*overlapped*/)
{
    zvk::HandheldEmulator* handheld = Connected();
    std::uint32_t written = 0;
    const bool succeeded =
        handheld != nullptr && handheld->CeWriteFile(Handle(file), buffer, bytesToWrite, written);
    *bytesWritten = written;
    return succeeded ? TRUE : FALSE;
}

DWORD WINAPI CeGetFileSize(HANDLE file, DWORD* sizeHigh)
{
    zvk::HandheldEmulator* handheld = Connected();
    std::uint32_t high = 0;
    const std::uint32_t low =
        handheld != nullptr ? handheld->CeGetFileSize(Handle(file), &high) : zvk::kInvalidFileSize;
    if (sizeHigh != nullptr)
        *sizeHigh = high;
    return low;
}

BOOL WINAPI CeCloseHandle(HANDLE object)
{
    zvk::HandheldEmulator* handheld = Connected();
    const bool closed = handheld != nullptr && handheld->CeCloseHandle(Handle(object));
    return closed ? TRUE : FALSE;
}

BOOL WINAPI CeDeleteFile(LPCWSTR fileName)
{
    zvk::HandheldEmulator* handheld = Connected();
    const std::u16string path = Text(fileName);
    if (handheld != nullptr && zvk::IsHandheldListName(path.substr(path.rfind(u'\\') + 1)))
        RecordDeletion(*handheld, path);
    const bool deleted = handheld != nullptr && handheld->CeDeleteFile(path);
    return deleted ? TRUE : FALSE;
}

BOOL WINAPI CeFindAllFiles(LPCWSTR path, DWORD flags, DWORD* foundCount, zvk::CeFindData** found)
{
    zvk::HandheldEmulator* handheld = Connected();
    std::uint32_t count = 0;
    *found = nullptr;
    const bool succeeded =
        handheld != nullptr && handheld->CeFindAllFiles(Text(path), flags, count, *found);
    *foundCount = count;
    return succeeded ? TRUE : FALSE;
}

HRESULT WINAPI CeRapiFreeBuffer(void* buffer)
{
    zvk::HandheldEmulator* handheld = Connected();
    return handheld != nullptr ? static_cast<HRESULT>(handheld->CeRapiFreeBuffer(buffer)) : E_FAIL;
}

BOOL WINAPI CeCreateProcess(LPCWSTR applicationName, LPCWSTR commandLine,
                            SECURITY_ATTRIBUTES* /*processSecurity*/,
                            SECURITY_ATTRIBUTES* /*threadSecurity*/, BOOL /*inheritHandles*/,
                            DWORD /*creationFlags*/, void* /*environment*/,
                            LPWSTR /*currentDirectory*/, STARTUPINFOW* /*startupInfo*/,
                            PROCESS_INFORMATION* processInformation)
{
    zvk::HandheldEmulator* handheld = Connected();
    if (processInformation != nullptr)
        *processInformation = {};
    const bool started =
        handheld != nullptr && handheld->CeCreateProcess(Text(applicationName), Text(commandLine));
    return started ? TRUE : FALSE;
}

// The emulated handheld's reasons; without a link, the link is what failed.
DWORD WINAPI CeGetLastError()
{
    zvk::HandheldEmulator* handheld = Connected();
    return handheld != nullptr ? handheld->CeGetLastError() : ERROR_SUCCESS;
}

HRESULT WINAPI CeRapiGetError()
{
    zvk::HandheldEmulator* handheld = Connected();
    return handheld != nullptr ? static_cast<HRESULT>(handheld->CeRapiGetError()) : E_FAIL;
}

} // extern "C"

// The exports have the types that zvk.exe calls them with.
namespace rapi = zvk::rapi;
static_assert(std::is_same_v<decltype(&CeRapiInitEx), rapi::CeRapiInitExFunction>);
static_assert(std::is_same_v<decltype(&CeRapiUninit), rapi::CeRapiUninitFunction>);
static_assert(std::is_same_v<decltype(&CeCreateFile), rapi::CeCreateFileFunction>);
static_assert(std::is_same_v<decltype(&CeReadFile), rapi::CeReadFileFunction>);
static_assert(std::is_same_v<decltype(&CeWriteFile), rapi::CeWriteFileFunction>);
static_assert(std::is_same_v<decltype(&CeGetFileSize), rapi::CeGetFileSizeFunction>);
static_assert(std::is_same_v<decltype(&CeCloseHandle), rapi::CeCloseHandleFunction>);
static_assert(std::is_same_v<decltype(&CeDeleteFile), rapi::CeDeleteFileFunction>);
static_assert(std::is_same_v<decltype(&CeFindAllFiles), rapi::CeFindAllFilesFunction>);
static_assert(std::is_same_v<decltype(&CeRapiFreeBuffer), rapi::CeRapiFreeBufferFunction>);
static_assert(std::is_same_v<decltype(&CeCreateProcess), rapi::CeCreateProcessFunction>);
static_assert(std::is_same_v<decltype(&CeGetLastError), rapi::CeGetLastErrorFunction>);
static_assert(std::is_same_v<decltype(&CeRapiGetError), rapi::CeRapiGetErrorFunction>);
