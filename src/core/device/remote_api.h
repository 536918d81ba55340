#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "system/result.h"

namespace zvk {

// The Windows CE Remote API as the desktop uses it to reach the handheld: open the
// link, copy files both ways, find files and start the handheld program. Each
// implementation (the handheld emulator here; a wire-protocol client or rapi.dll
// elsewhere) keeps the meanings of the original calls, so that the transfer
// workers never know which handheld they talk to. Handheld paths are UTF-16 and
// absolute ("\ZVK_CE\ZVK.INI"); arguments the desktop always passes as null
// (security attributes, templates, environment, startup information) are left out.

using HResult = std::uint32_t;
inline constexpr HResult kS_OK = 0;
inline constexpr HResult kE_FAIL = 0x80004005;
// CeRapiInit again before CeRapiUninit.
inline constexpr HResult kCeRapiE_AlreadyInitialized = 0x80041001;

using CeHandle = std::uintptr_t;
inline constexpr CeHandle kInvalidCeHandle = ~CeHandle{0};

inline constexpr std::uint32_t kGenericRead = 0x80000000;
inline constexpr std::uint32_t kGenericWrite = 0x40000000;
inline constexpr std::uint32_t kFileShareRead = 0x1;
inline constexpr std::uint32_t kFileShareWrite = 0x2;
inline constexpr std::uint32_t kCreateAlways = 2;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;
inline constexpr std::uint32_t kInvalidFileSize = 0xFFFFFFFF;
// The handheld's error codes that the emulated handheld gives (those of Windows).
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorReadFault = 30;
// A call made without a link to the handheld.
inline constexpr std::uint32_t kErrorNotConnected = 2250;
// CeFindAllFiles: what of each entry is asked for; the rest of an entry is left empty.
inline constexpr std::uint32_t kFafSizeHigh = 0x10;
inline constexpr std::uint32_t kFafSizeLow = 0x20;
inline constexpr std::uint32_t kFafName = 0x80;

// A file goes to or from the handheld in pieces of this size, one call each. Every call is
// a round trip over the link, so the pieces are large: 16 KiB is the smaller of the sizes
// that the Remote API's own file-copy tools move per call (16 to 64 KiB), so no handheld is
// asked for more in one call than they ask of it, and nothing that the handheld program
// relies on depends on the size of a piece.
inline constexpr std::uint32_t kTransferPieceBytes = 16 * 1024;

// The longest name a search entry holds, its terminating NUL included.
inline constexpr std::size_t kCeMaxPath = 260;

struct CeFileTime
{
    std::uint32_t low;
    std::uint32_t high;
};

// One entry of a file search, in the handheld's published 560-byte layout.
struct CeFindData
{
    std::uint32_t fileAttributes;
    CeFileTime creationTime;
    CeFileTime lastAccessTime;
    CeFileTime lastWriteTime;
    std::uint32_t fileSizeHigh;
    std::uint32_t fileSizeLow;
    std::uint32_t objectId;
    char16_t fileName[kCeMaxPath]; // NUL-terminated, no folder part
};
// The Remote API hands over arrays of these as they are: every field at its published offset.
static_assert(sizeof(CeFileTime) == 8 && alignof(CeFileTime) == 4);
static_assert(sizeof(CeFindData) == 560);
static_assert(offsetof(CeFindData, fileAttributes) == 0);
static_assert(offsetof(CeFindData, creationTime) == 4);
static_assert(offsetof(CeFindData, lastAccessTime) == 12);
static_assert(offsetof(CeFindData, lastWriteTime) == 20);
static_assert(offsetof(CeFindData, fileSizeHigh) == 28);
static_assert(offsetof(CeFindData, fileSizeLow) == 32);
static_assert(offsetof(CeFindData, objectId) == 36);
static_assert(offsetof(CeFindData, fileName) == 40);

// The handheld held for one transfer: no other transfer, in this process or another,
// gets it until the claim is destroyed or the process holding it ends, however it ends.
class TransferClaim
{
public:
    virtual ~TransferClaim() = default;
};

// What claiming the handheld for a transfer came to: held for this transfer, or busy with
// another one (no failure, only no claim).
class ClaimOutcome
{
public:
    static ClaimOutcome Busy()
    {
        return ClaimOutcome(nullptr);
    }
    static ClaimOutcome Held(std::unique_ptr<TransferClaim> claim)
    {
        assert(claim != nullptr);
        return ClaimOutcome(std::move(claim));
    }

    bool IsBusy() const
    {
        return m_claim == nullptr;
    }
    // The claim, for the transfer to hold until its common ending.
    std::unique_ptr<TransferClaim> Take()
    {
        return std::move(m_claim);
    }

private:
    explicit ClaimOutcome(std::unique_ptr<TransferClaim> claim) : m_claim(std::move(claim)) {}

    std::unique_ptr<TransferClaim> m_claim;
};

class RemoteApi
{
public:
    virtual ~RemoteApi() = default;

    // Not a Remote API call: claims the handheld for one transfer, from its connection to
    // its common ending, without waiting. Busy when another transfer holds the
    // handheld; a failure when it cannot be claimed. Each kind of handheld keeps its
    // transfers apart in its own way.
    [[nodiscard]] virtual Result<ClaimOutcome> ClaimForTransfer() = 0;

    // Not a Remote API call: the desktop folder that holds the handheld's files when a
    // folder plays the handheld, so that no desktop folder of a transfer is taken for it;
    // empty for a real handheld.
    virtual std::filesystem::path EmulatingFolder() const
    {
        return {};
    }

    // Blocks until the handheld answers; kE_FAIL when it cannot be reached.
    // CeRapiUninit closes the link, and cancels a CeRapiInit that is still waiting
    // (which then returns kE_FAIL).
    [[nodiscard]] virtual HResult CeRapiInit() = 0;
    virtual HResult CeRapiUninit() = 0;

    // kInvalidCeHandle on failure.
    [[nodiscard]] virtual CeHandle
    CeCreateFile(const std::u16string& path, std::uint32_t desiredAccess, std::uint32_t shareMode,
                 std::uint32_t creationDisposition, std::uint32_t flagsAndAttributes) = 0;
    [[nodiscard]] virtual bool CeReadFile(CeHandle file, void* buffer, std::uint32_t bytesToRead,
                                          std::uint32_t& bytesRead) = 0;
    [[nodiscard]] virtual bool CeWriteFile(CeHandle file, const void* buffer,
                                           std::uint32_t bytesToWrite,
                                           std::uint32_t& bytesWritten) = 0;
    [[nodiscard]] virtual bool CeCloseHandle(CeHandle file) = 0;
    // The low 32 bits of the size, the high ones in *sizeHigh when it is given;
    // kInvalidFileSize on failure.
    [[nodiscard]] virtual std::uint32_t CeGetFileSize(CeHandle file, std::uint32_t* sizeHigh) = 0;
    [[nodiscard]] virtual bool CeDeleteFile(const std::u16string& path) = 0;

    // The files matching a pattern such as "\*.dat" (wildcards in the last part only,
    // letter case ignored as on the handheld). On success `found` is an array of
    // `count` entries that the caller gives back with CeRapiFreeBuffer.
    [[nodiscard]] virtual bool CeFindAllFiles(const std::u16string& pattern, std::uint32_t flags,
                                              std::uint32_t& count, CeFindData*& found) = 0;
    virtual HResult CeRapiFreeBuffer(void* buffer) = 0;

    // Starts a program on the handheld and returns at once; true when it started.
    [[nodiscard]] virtual bool CeCreateProcess(const std::u16string& application,
                                               const std::u16string& commandLine) = 0;

    // Why the last call that failed on this thread failed: the handheld's own error code
    // (a Windows error code, 0 when it gave none), and the link's (kS_OK while the link
    // itself holds; anything else means the handheld is gone, not that a file was bad).
    virtual std::uint32_t CeGetLastError() = 0;
    virtual HResult CeRapiGetError() = 0;
};

} // namespace zvk
