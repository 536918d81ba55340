#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/remote_api.h"

namespace zvk::test {

// A handheld in memory, for the cases the emulator cannot stage cheaply: failures of
// single calls, lists larger than memory should hold, and the exact order of calls.
// Its program creates the export marker as soon as it is started with "i".
class FakeHandheld final : public RemoteApi
{
public:
    // Files by handheld path; lists are in the root folder ("\LIST01.DAT").
    std::map<std::u16string, std::string> files;
    // Lists whose content is made up on reading: path and size.
    std::map<std::u16string, std::uint64_t> generatedFiles;
    // Sizes that the search gives instead of the files' own: lists that grew or shrank
    // between the listing and their copy.
    std::map<std::u16string, std::uint64_t> listedSizes;
    std::set<std::u16string> failCreate;
    std::set<std::u16string> failDelete;
    // The arguments the handheld program cannot be started with ("i", "x", "k", "e").
    std::set<std::u16string> failStart;
    std::optional<std::uint64_t> failWriteAfterBytes;
    // Once a file holds this many bytes, a write reports success but takes only the
    // bytes up to it: a handheld whose store is full.
    std::optional<std::uint64_t> writeShortAfterBytes;
    std::optional<std::uint64_t> failReadAfterBytes;
    bool failSearch = false;
    // The link breaks at the first failed read: CeRapiGetError reports it from then on.
    bool linkBreaksOnFailedRead = false;
    // Called before a file is deleted, e.g. to see what the desktop holds at that moment.
    std::function<void(const std::u16string& path)> onDelete;

    // Every call in order: "init", "uninit", "open PATH" / "create PATH", "close PATH",
    // "delete PATH", "find PATTERN", "free", "start PROGRAM ARGUMENT"; reads, writes
    // and sizes are not logged. Paths in ASCII.
    std::vector<std::string> Calls() const;
    // The byte the generated list holds at `offset`.
    static char GeneratedByte(std::uint64_t offset);

    // Always granted: one fake serves one test.
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
    // kErrorFileNotFound after a file that could not be opened, kErrorReadFault after a
    // failed read.
    std::uint32_t CeGetLastError() override;
    HResult CeRapiGetError() override;

private:
    struct OpenFile
    {
        std::u16string path;
        bool writing = false;
        std::uint64_t position = 0;
        std::string written;
    };

    std::uint64_t SizeOf(const std::u16string& path) const;
    void Log(const std::string& call);

    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
    std::map<CeHandle, OpenFile> m_open;
    CeHandle m_nextHandle = 1;
    std::uint32_t m_lastError = 0;
    bool m_linkBroken = false;
    std::vector<CeFindData> m_found;
};

// The ASCII characters of a UTF-16 text, '?' for the others: for logs and messages.
std::string Ascii(std::u16string_view text);

} // namespace zvk::test
