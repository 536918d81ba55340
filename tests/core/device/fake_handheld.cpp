#include "device/fake_handheld.h"

#include <algorithm>
#include <cstring>

#include "device/handheld_contract.h"

namespace zvk::test {
namespace {

// Windows' code for a file the handheld may not delete.
constexpr std::uint32_t kErrorAccessDenied = 5;

} // namespace

std::string Ascii(std::u16string_view text)
{
    std::string ascii;
    for (const char16_t unit : text)
        ascii += unit < 0x80 ? static_cast<char>(unit) : '?';
    return ascii;
}

std::vector<std::string> FakeHandheld::Calls() const
{
    const std::lock_guard lock(m_mutex);
    return m_calls;
}

char FakeHandheld::GeneratedByte(std::uint64_t offset)
{
    return static_cast<char>('A' + offset % 26);
}

Result<ClaimOutcome> FakeHandheld::ClaimForTransfer()
{
    return ClaimOutcome::Held(std::make_unique<TransferClaim>());
}

HResult FakeHandheld::CeRapiInit()
{
    Log("init");
    return kS_OK;
}

HResult FakeHandheld::CeRapiUninit()
{
    Log("uninit");
    return kS_OK;
}

CeHandle FakeHandheld::CeCreateFile(const std::u16string& path, std::uint32_t desiredAccess,
                                    std::uint32_t /*shareMode*/,
                                    std::uint32_t /*creationDisposition*/,
                                    std::uint32_t /*flagsAndAttributes*/)
{
    const bool writing = desiredAccess == kGenericWrite;
    Log((writing ? "create " : "open ") + Ascii(path));
    const std::lock_guard lock(m_mutex);
    if (failCreate.contains(path) ||
        (!writing && !files.contains(path) && !generatedFiles.contains(path))) {
        m_lastError = kErrorFileNotFound;
        return kInvalidCeHandle;
    }
    const CeHandle handle = m_nextHandle++;
    m_open[handle] = OpenFile{path, writing, 0, {}};
    return handle;
}

bool FakeHandheld::CeReadFile(CeHandle file, void* buffer, std::uint32_t bytesToRead,
                              std::uint32_t& bytesRead)
{
    bytesRead = 0;
    const std::lock_guard lock(m_mutex);
    const auto it = m_open.find(file);
    if (it == m_open.end() || it->second.writing)
        return false;
    OpenFile& open = it->second;
    if (failReadAfterBytes && open.position >= *failReadAfterBytes) {
        m_lastError = kErrorReadFault;
        m_linkBroken = linkBreaksOnFailedRead;
        return false;
    }
    const std::uint64_t size = SizeOf(open.path);
    std::uint64_t count = std::min<std::uint64_t>(bytesToRead, size - open.position);
    if (failReadAfterBytes)
        count = std::min(count, *failReadAfterBytes - open.position);
    char* out = static_cast<char*>(buffer);
    if (const auto stored = files.find(open.path); stored != files.end())
        std::memcpy(out, stored->second.data() + open.position, count);
    else
        for (std::uint64_t i = 0; i < count; ++i)
            out[i] = GeneratedByte(open.position + i);
    open.position += count;
    bytesRead = static_cast<std::uint32_t>(count);
    return true;
}

bool FakeHandheld::CeWriteFile(CeHandle file, const void* buffer, std::uint32_t bytesToWrite,
                               std::uint32_t& bytesWritten)
{
    bytesWritten = 0;
    const std::lock_guard lock(m_mutex);
    const auto it = m_open.find(file);
    if (it == m_open.end() || !it->second.writing)
        return false;
    OpenFile& open = it->second;
    if (failWriteAfterBytes && open.written.size() + bytesToWrite > *failWriteAfterBytes)
        return false;
    bytesWritten = bytesToWrite;
    if (writeShortAfterBytes && open.written.size() + bytesToWrite > *writeShortAfterBytes)
        bytesWritten = static_cast<std::uint32_t>(
            std::max<std::uint64_t>(open.written.size(), *writeShortAfterBytes) -
            open.written.size());
    open.written.append(static_cast<const char*>(buffer), bytesWritten);
    return true;
}

bool FakeHandheld::CeCloseHandle(CeHandle file)
{
    std::u16string path;
    {
        const std::lock_guard lock(m_mutex);
        const auto it = m_open.find(file);
        if (it == m_open.end())
            return false;
        path = it->second.path;
        if (it->second.writing)
            files[path] = std::move(it->second.written);
        m_open.erase(it);
    }
    Log("close " + Ascii(path));
    return true;
}

std::uint32_t FakeHandheld::CeGetFileSize(CeHandle file, std::uint32_t* sizeHigh)
{
    const std::lock_guard lock(m_mutex);
    const auto it = m_open.find(file);
    if (it == m_open.end())
        return kInvalidFileSize;
    const std::uint64_t size = SizeOf(it->second.path);
    if (sizeHigh != nullptr)
        *sizeHigh = static_cast<std::uint32_t>(size >> 32);
    return static_cast<std::uint32_t>(size);
}

bool FakeHandheld::CeDeleteFile(const std::u16string& path)
{
    Log("delete " + Ascii(path));
    if (onDelete)
        onDelete(path);
    const std::lock_guard lock(m_mutex);
    if (failDelete.contains(path)) {
        m_lastError = kErrorAccessDenied;
        return false;
    }
    return files.erase(path) + generatedFiles.erase(path) > 0;
}

bool FakeHandheld::CeFindAllFiles(const std::u16string& pattern, std::uint32_t flags,
                                  std::uint32_t& count, CeFindData*& found)
{
    Log("find " + Ascii(pattern));
    const std::lock_guard lock(m_mutex);
    count = 0;
    found = nullptr;
    if (failSearch && pattern == kHandheldListPattern)
        return false;
    const std::size_t split = pattern.rfind(u'\\') + 1;
    const std::u16string folder = pattern.substr(0, split);
    m_found.clear();
    auto add = [&](const std::u16string& path) {
        const std::u16string name = path.substr(std::min(split, path.size()));
        if (path.starts_with(folder) && name.find(u'\\') == std::u16string::npos &&
            MatchesHandheldPattern(name, std::u16string_view(pattern).substr(split))) {
            CeFindData entry{};
            std::copy(name.begin(), name.end(), entry.fileName);
            const auto listed = listedSizes.find(path);
            const std::uint64_t size = listed != listedSizes.end() ? listed->second : SizeOf(path);
            if ((flags & kFafSizeHigh) != 0)
                entry.fileSizeHigh = static_cast<std::uint32_t>(size >> 32);
            if ((flags & kFafSizeLow) != 0)
                entry.fileSizeLow = static_cast<std::uint32_t>(size);
            m_found.push_back(entry);
        }
    };
    for (const auto& [path, content] : files)
        add(path);
    for (const auto& [path, size] : generatedFiles)
        add(path);
    count = static_cast<std::uint32_t>(m_found.size());
    found = m_found.empty() ? nullptr : m_found.data();
    return true;
}

HResult FakeHandheld::CeRapiFreeBuffer(void* /*buffer*/)
{
    Log("free");
    return kS_OK;
}

bool FakeHandheld::CeCreateProcess(const std::u16string& application,
                                   const std::u16string& commandLine)
{
    Log("start " + Ascii(application) + " " + Ascii(commandLine));
    if (failStart.contains(commandLine))
        return false;
    if (commandLine == kExportRequested) {
        const std::lock_guard lock(m_mutex);
        files[std::u16string(kHandheldExportMarker)] = "";
    }
    return true;
}

std::uint32_t FakeHandheld::CeGetLastError()
{
    const std::lock_guard lock(m_mutex);
    return m_lastError;
}

HResult FakeHandheld::CeRapiGetError()
{
    const std::lock_guard lock(m_mutex);
    return m_linkBroken ? kE_FAIL : kS_OK;
}

std::uint64_t FakeHandheld::SizeOf(const std::u16string& path) const
{
    if (const auto stored = files.find(path); stored != files.end())
        return stored->second.size();
    const auto generated = generatedFiles.find(path);
    return generated == generatedFiles.end() ? 0 : generated->second;
}

void FakeHandheld::Log(const std::string& call)
{
    const std::lock_guard lock(m_mutex);
    m_calls.push_back(call);
}

} // namespace zvk::test
