#include "files/file_stamp.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include <windows.h>

#include "text/path_text.h"

namespace zvk {
namespace {

std::int64_t Time(const LARGE_INTEGER& time)
{
    return static_cast<std::int64_t>(time.QuadPart);
}

// A file's stamp as the folder's listing describes it: its file id, which a new file
// under an old name does not keep, and its change time, which every change of the file
// moves; not its creation time, which NTFS hands on to a file made under the name of one
// deleted a moment before.
FileStamp EntryStamp(const FILE_ID_BOTH_DIR_INFO& entry)
{
    FileStamp stamp;
    stamp.file = static_cast<std::uint64_t>(entry.FileId.QuadPart);
    stamp.size = static_cast<std::uint64_t>(entry.EndOfFile.QuadPart);
    stamp.modified = Time(entry.LastWriteTime);
    stamp.statusChanged = Time(entry.ChangeTime);
    return stamp;
}

// Calls `take` with every entry of the folder, from one listing: the system answers for
// many files a call, where asking for each file by its path costs a call each.
template <class Take> void ForEachEntry(const std::filesystem::path& folder, Take take)
{
    const HANDLE listing = CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (listing == INVALID_HANDLE_VALUE)
        return;
    // Words, since the entries lie in it at 8-byte boundaries.
    std::vector<std::uint64_t> block(8 * 1024);
    const auto bytes = reinterpret_cast<const unsigned char*>(block.data());
    FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(listing, kind, block.data(),
                                        static_cast<DWORD>(block.size() * sizeof block[0])) != 0) {
        kind = FileIdBothDirectoryInfo;
        for (std::size_t offset = 0;;) {
            const auto& entry = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + offset);
            take(entry);
            if (entry.NextEntryOffset == 0)
                break;
            offset += entry.NextEntryOffset;
        }
    }
    CloseHandle(listing);
}

} // namespace

FolderStamps::FolderStamps(const std::filesystem::path& folder,
                           const std::vector<std::string>& names)
    : m_stamps(names.size())
{
    std::unordered_map<std::wstring_view, std::size_t> wanted;
    std::vector<std::wstring> wideNames;
    wideNames.reserve(names.size());
    for (const std::string& name : names)
        wideNames.push_back(PathFromText(name).native());
    for (std::size_t file = 0; file < names.size(); ++file)
        wanted.emplace(wideNames[file], file);
    ForEachEntry(folder, [&](const FILE_ID_BOTH_DIR_INFO& entry) {
        // A link's entry describes the link, not the list it leads to.
        if ((entry.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
            return;
        const std::wstring_view name(entry.FileName, entry.FileNameLength / sizeof(wchar_t));
        if (const auto found = wanted.find(name); found != wanted.end())
            m_stamps[found->second] = EntryStamp(entry);
    });
}

FolderStamps::~FolderStamps() = default;

const std::optional<FileStamp>& FolderStamps::StampOf(std::size_t file)
{
    return m_stamps[file];
}

} // namespace zvk
