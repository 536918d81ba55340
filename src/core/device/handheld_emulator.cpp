#include "device/handheld_emulator.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <system_error>
#include <vector>

#include "device/emulator_claim.h"
#include "device/handheld_contract.h"
#include "device/transfer_session.h"
#include "files/output_file.h"
#include "text/windows1250.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// As on the handheld, each thread has its own last error.
thread_local std::uint32_t lastError = 0;

template <typename Result> Result Failed(Result result, std::uint32_t error)
{
    lastError = error;
    return result;
}

struct FoundFile
{
    std::u16string name;
    std::uint64_t size = 0;

    bool operator<(const FoundFile& other) const
    {
        return name < other.name;
    }
};

std::vector<FoundFile> MatchingFiles(const fs::path& folder, std::u16string_view pattern)
{
    std::vector<FoundFile> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        if (!IsHandheldFile(*it))
            continue;
        const std::u16string name = HandheldNameOf(it->path());
        if (name.size() < kCeMaxPath && MatchesHandheldPattern(name, pattern)) {
            std::error_code sizeError;
            const std::uintmax_t size = it->file_size(sizeError);
            found.push_back({name, sizeError ? 0 : static_cast<std::uint64_t>(size)});
        }
    }
    return found;
}

// A search entry as the handheld gives it: the size only when it was asked for.
CeFindData EntryOf(const FoundFile& file, std::uint32_t flags)
{
    CeFindData entry{};
    std::copy(file.name.begin(), file.name.end(), entry.fileName);
    if ((flags & kFafSizeHigh) != 0)
        entry.fileSizeHigh = static_cast<std::uint32_t>(file.size >> 32);
    if ((flags & kFafSizeLow) != 0)
        entry.fileSizeLow = static_cast<std::uint32_t>(file.size);
    return entry;
}

// The file a handheld path names. A name the handheld wrote in its code page is not
// UTF-8 on this disk and was found as Windows-1250 text (HandheldNameOf), so a file
// missing under the UTF-8 name is looked for under its Windows-1250 bytes.
std::optional<fs::path> FileOf(const fs::path& folder, std::u16string_view handheldPath)
{
    const std::optional<fs::path> file = EmulatedPath(folder, handheldPath);
    std::error_code ec;
    if (!file || fs::exists(*file, ec))
        return file;
    const std::size_t separator = handheldPath.rfind(u'\\');
    const std::optional<std::string> codePageName =
        Utf16ToWindows1250(handheldPath.substr(separator + 1));
    if (!codePageName)
        return file;
    const fs::path codePageFile = file->parent_path() / *codePageName;
    return fs::exists(codePageFile, ec) ? codePageFile : file;
}

} // namespace

HandheldEmulator::HandheldEmulator(fs::path folder, Clock& clock, SettingsAdjustment adjust)
    : m_folder(std::move(folder)), m_clock(clock), m_adjust(std::move(adjust)),
      m_settings(ReadSettings()), m_program(m_folder, clock), m_link(clock)
{
    Configure(m_settings);
    // The handheld program's folders exist wherever it is installed.
    std::error_code ec;
    fs::create_directories(EmulatedListStore(m_folder), ec);
    fs::create_directories(EmulatedPath(m_folder, kHandheldImportFolder).value(), ec);
    fs::create_directories(EmulatedPath(m_folder, kHandheldExportMarker)->parent_path(), ec);
}

HandheldEmulator::~HandheldEmulator()
{
    for (auto& [handle, file] : m_files)
        std::fclose(file.stream);
}

Result<ClaimOutcome> HandheldEmulator::ClaimForTransfer()
{
    return ClaimEmulatedHandheld(m_folder, m_program);
}

fs::path HandheldEmulator::EmulatingFolder() const
{
    return m_folder;
}

HResult HandheldEmulator::CeRapiInit()
{
    EmulatorSettings settings;
    std::stop_token cancelled;
    {
        const std::lock_guard lock(m_mutex);
        m_settings = ReadSettings();
        settings = m_settings;
        Configure(m_settings);
        m_cancelInit = std::stop_source();
        cancelled = m_cancelInit.get_token();
    }
    const bool answered =
        m_clock.WaitFor(std::chrono::milliseconds(settings.connectDelayMs), cancelled);
    // The desktop waits a watchdog's second for the link: a handheld that needs that
    // long fails here, rather than in a race between its answer and the watchdog.
    const bool tooLate = std::chrono::milliseconds(settings.connectDelayMs) >= kLinkWatchdogPeriod;
    return !answered || tooLate || !settings.connected ? kE_FAIL : kS_OK;
}

HResult HandheldEmulator::CeRapiUninit()
{
    const std::lock_guard lock(m_mutex);
    m_cancelInit.request_stop();
    return kS_OK;
}

CeHandle HandheldEmulator::CeCreateFile(const std::u16string& path, std::uint32_t desiredAccess,
                                        std::uint32_t /*shareMode*/,
                                        std::uint32_t creationDisposition,
                                        std::uint32_t /*flagsAndAttributes*/)
{
    m_link.Carry(LinkCall::CreateFile);
    const std::optional<fs::path> file = FileOf(m_folder, path);
    std::error_code ec;
    // The handheld knows files and folders only: a pipe in its folder would hold the open.
    const fs::file_status status = file ? fs::status(*file, ec) : fs::file_status();
    if (!file || (fs::exists(status) && !fs::is_regular_file(status)))
        return Failed(kInvalidCeHandle, kErrorFileNotFound);
    const bool reading = desiredAccess == kGenericRead && creationDisposition == kOpenExisting;
    const bool writing = desiredAccess == kGenericWrite && creationDisposition == kCreateAlways;
    if (!reading && !writing)
        return kInvalidCeHandle; // the desktop opens files in no other way
    const OpenedFile stream = reading ? OpenFileForReading(*file) : OpenFileForWriting(*file);
    if (!stream)
        return Failed(kInvalidCeHandle, kErrorFileNotFound);
    const std::lock_guard lock(m_mutex);
    const CeHandle handle = m_nextHandle++;
    m_files[handle] = OpenFile{*stream, 0};
    return handle;
}

bool HandheldEmulator::CeReadFile(CeHandle file, void* buffer, std::uint32_t bytesToRead,
                                  std::uint32_t& bytesRead)
{
    bytesRead = 0;
    std::int64_t delayMs = 0;
    {
        const std::lock_guard lock(m_mutex);
        delayMs = m_settings.readDelayMs;
    }
    // A slow link: the reader waits for its bytes, as the desktop does over a cable.
    if (delayMs > 0)
        m_clock.WaitFor(std::chrono::milliseconds(delayMs), {});
    const bool read = ReadFrom(file, buffer, bytesToRead, bytesRead);
    m_link.Carry(LinkCall::ReadFile, bytesRead);
    return read;
}

bool HandheldEmulator::ReadFrom(CeHandle file, void* buffer, std::uint32_t bytesToRead,
                                std::uint32_t& bytesRead)
{
    const std::lock_guard lock(m_mutex);
    OpenFile* open = Find(file);
    if (open == nullptr)
        return false;
    if (m_settings.failReadAfterBytes >= 0) {
        const auto limit = static_cast<std::uint64_t>(m_settings.failReadAfterBytes);
        if (open->bytesRead >= limit)
            return Failed(false, kErrorReadFault);
        bytesToRead = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(bytesToRead, limit - open->bytesRead));
    }
    bytesRead = static_cast<std::uint32_t>(std::fread(buffer, 1, bytesToRead, open->stream));
    open->bytesRead += bytesRead;
    return !std::ferror(open->stream) || Failed(false, kErrorReadFault);
}

bool HandheldEmulator::CeWriteFile(CeHandle file, const void* buffer, std::uint32_t bytesToWrite,
                                   std::uint32_t& bytesWritten)
{
    m_link.Carry(LinkCall::WriteFile, bytesToWrite);
    const std::lock_guard lock(m_mutex);
    OpenFile* open = Find(file);
    bytesWritten = 0;
    if (open == nullptr)
        return false;
    bytesWritten = static_cast<std::uint32_t>(std::fwrite(buffer, 1, bytesToWrite, open->stream));
    return bytesWritten == bytesToWrite;
}

bool HandheldEmulator::CeCloseHandle(CeHandle file)
{
    m_link.Carry(LinkCall::CloseHandle);
    const std::lock_guard lock(m_mutex);
    const auto it = m_files.find(file);
    if (it == m_files.end())
        return false;
    const bool closed = std::fclose(it->second.stream) == 0;
    m_files.erase(it);
    return closed;
}

std::uint32_t HandheldEmulator::CeGetFileSize(CeHandle file, std::uint32_t* sizeHigh)
{
    m_link.Carry(LinkCall::GetFileSize);
    const std::lock_guard lock(m_mutex);
    OpenFile* open = Find(file);
    if (open == nullptr)
        return kInvalidFileSize;
    const long position = std::ftell(open->stream);
    if (position < 0 || std::fseek(open->stream, 0, SEEK_END) != 0)
        return kInvalidFileSize;
    const long end = std::ftell(open->stream);
    std::fseek(open->stream, position, SEEK_SET);
    const auto size = static_cast<std::uint64_t>(end);
    if (sizeHigh != nullptr)
        *sizeHigh = static_cast<std::uint32_t>(size >> 32);
    return static_cast<std::uint32_t>(size);
}

bool HandheldEmulator::CeDeleteFile(const std::u16string& path)
{
    m_link.Carry(LinkCall::DeleteFile);
    const std::optional<fs::path> file = FileOf(m_folder, path);
    std::error_code ec;
    return file && fs::is_regular_file(*file, ec) && fs::remove(*file, ec);
}

bool HandheldEmulator::CeFindAllFiles(const std::u16string& pattern, std::uint32_t flags,
                                      std::uint32_t& count, CeFindData*& found)
{
    m_link.Carry(LinkCall::FindAllFiles);
    count = 0;
    found = nullptr;
    const std::size_t lastSeparator = pattern.rfind(u'\\');
    if (lastSeparator == std::u16string::npos)
        return false;
    const std::optional<fs::path> folder =
        EmulatedPath(m_folder, std::u16string_view(pattern).substr(0, lastSeparator + 1));
    std::error_code ec;
    if (!folder || !fs::is_directory(*folder, ec))
        return false;
    const std::u16string_view namePattern = std::u16string_view(pattern).substr(lastSeparator + 1);
    std::vector<FoundFile> files = MatchingFiles(*folder, namePattern);
    // The lists the program exported are at the top, though this folder could not hold
    // every one of their names: the desktop hears of each (its size unknown here).
    if (lastSeparator == 0)
        for (const std::u16string& list : m_program.ListsNotHandedOver())
            if (list.size() < kCeMaxPath && MatchesHandheldPattern(list, namePattern) &&
                std::none_of(files.begin(), files.end(),
                             [&list](const FoundFile& file) { return file.name == list; }))
                files.push_back({list, 0});
    std::sort(files.begin(), files.end());
    std::vector<CeFindData> entries;
    for (const FoundFile& file : files)
        entries.push_back(EntryOf(file, flags));
    m_searchResults.HandOut(std::move(entries), count, found);
    return true;
}

HResult HandheldEmulator::CeRapiFreeBuffer(void* buffer)
{
    return m_searchResults.Free(buffer);
}

bool HandheldEmulator::CeCreateProcess(const std::u16string& application,
                                       const std::u16string& commandLine)
{
    m_link.Carry(LinkCall::CreateProcess);
    if (application != kHandheldProgram)
        return false;
    m_program.Start(commandLine);
    return true;
}

std::uint32_t HandheldEmulator::CeGetLastError()
{
    return lastError;
}

HResult HandheldEmulator::CeRapiGetError()
{
    return kS_OK;
}

const fs::path& HandheldEmulator::Folder() const
{
    return m_folder;
}

EmulatedProgram& HandheldEmulator::Program()
{
    return m_program;
}

LinkCallCounts HandheldEmulator::CallCounts() const
{
    return m_link.Counts();
}

void HandheldEmulator::Configure(const EmulatorSettings& settings)
{
    m_link.Configure(std::chrono::milliseconds(settings.callDelayMs),
                     settings.bandwidthBytesPerSecond);
}

EmulatorSettings HandheldEmulator::ReadSettings() const
{
    EmulatorSettings settings = ReadEmulatorSettings(m_folder);
    if (m_adjust)
        m_adjust(settings);
    return settings;
}

HandheldEmulator::OpenFile* HandheldEmulator::Find(CeHandle file)
{
    const auto it = m_files.find(file);
    return it == m_files.end() ? nullptr : &it->second;
}

} // namespace zvk
