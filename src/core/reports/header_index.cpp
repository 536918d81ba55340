#include "reports/header_index.h"

#include <system_error>

#include "platform/atomic_file.h"
#include "platform/input_file.h"

namespace fs = std::filesystem;

namespace zvk {

HeaderIndex::HeaderIndex(const FolderLists& lists)
    : m_names(&lists.names), m_entries(lists.names.size())
{}

HeaderIndex HeaderIndex::Open(const fs::path& cacheFolder, const fs::path& folder,
                              const FolderLists& lists, std::chrono::nanoseconds settling)
{
    if (cacheFolder.empty())
        return HeaderIndex(lists);
    const fs::path file = HeaderIndexFile(cacheFolder, folder);
    const Result<std::string> bytes = ReadWholeFile(file);
    HeaderIndex index = bytes ? Deserialized(*bytes, folder, lists) : HeaderIndex(lists);
    index.m_file = file;
    index.m_folder = folder;
    index.m_settling = settling;
    return index;
}

const ListHeader* HeaderIndex::Current(std::size_t list, const FileStamp& stamp) const
{
    const std::optional<Entry>& entry = m_entries[list];
    return entry && entry->stamp == stamp ? &entry->header : nullptr;
}

bool HeaderIndex::Keeps(const FileStamp& stamp) const
{
    return !m_file.empty() && IsSettled(stamp, m_settling);
}

const ListHeader& HeaderIndex::Remember(std::size_t list, const FileStamp& stamp, ListHeader header)
{
    m_changed = true;
    return m_entries[list].emplace(Entry{stamp, std::move(header)}).header;
}

HeaderTextTable& HeaderIndex::Texts()
{
    return m_texts;
}

const HeaderTextTable& HeaderIndex::Texts() const
{
    return m_texts;
}

void HeaderIndex::Save() const
{
    if (m_file.empty() || !m_changed)
        return;
    std::error_code ignored; // without its folder the index is not kept
    fs::create_directories(m_file.parent_path(), ignored);
    AtomicFileWriter writer(m_file, AtomicFileWriter::Existing::Replace,
                            AtomicFileWriter::Durability::Cached);
    writer.Write(Serialized());
    static_cast<void>(writer.Commit()); // an index not kept is read again next time
}

IndexedListReader::IndexedListReader(HeaderIndex& index, const FolderLists& lists)
    : m_index(index), m_lists(lists), m_stamps(StampsOf(lists.paths))
{}

Result<const ListHeader*> IndexedListReader::Header(std::size_t list)
{
    m_list = list;
    m_haveBytes = false;
    // The stamps were taken before any list was read: a list written meanwhile has a
    // newer stamp than the one kept, and is read again next time.
    const std::optional<FileStamp>& stamp = m_stamps[list];
    if (stamp)
        if (const ListHeader* known = m_index.Current(list, *stamp))
            return known;
    if (Result<std::string_view> read = Bytes(); !read)
        return Unexpected(std::move(read).error());
    ListHeader header = ReadListHeader(m_bytes, m_index.Texts());
    if (!stamp || !m_index.Keeps(*stamp))
        return &(m_uncached = std::move(header));
    return &m_index.Remember(list, *stamp, std::move(header));
}

Result<std::string_view> IndexedListReader::Bytes()
{
    if (!m_haveBytes) {
        if (Result<> read = ReadWholeFileInto(m_lists.paths[m_list], m_bytes); !read)
            return Unexpected(std::move(read).error());
        m_haveBytes = true;
    }
    return std::string_view(m_bytes);
}

} // namespace zvk
