#include "reports/header_index.h"

#include <chrono>
#include <system_error>

#include "files/atomic_file.h"
#include "files/input_file.h"

namespace fs = std::filesystem;

namespace zvk {

HeaderIndex::HeaderIndex(const FolderLists& lists) : m_lists(&lists), m_entries(lists.names.size())
{}

HeaderIndex HeaderIndex::Open(const fs::path& cacheFolder, const FolderLists& lists)
{
    if (cacheFolder.empty())
        return HeaderIndex(lists);
    const fs::path file = HeaderIndexFile(cacheFolder, lists.folder);
    const Result<std::string> bytes = ReadWholeFile(file);
    HeaderIndex index = bytes ? Deserialized(*bytes, lists) : HeaderIndex(lists);
    index.m_file = file;
    return index;
}

const ListHeader* HeaderIndex::KeptHeader(std::size_t list, const FileStamp& stamp) const
{
    const std::optional<Entry>& entry = m_entries[list];
    return entry && entry->stamp == stamp ? &entry->header : nullptr;
}

bool HeaderIndex::WillKeepHeaderReadAt(const FileStamp& stamp) const
{
    return !m_file.empty() && IsSettled(stamp, std::chrono::seconds(2));
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

IndexedListReader::IndexedListReader(const fs::path& cacheFolder, const FolderLists& lists)
    : m_lists(lists), m_stamps(lists.folder, lists.names),
      m_index(HeaderIndex::Open(cacheFolder, lists))
{}

Result<const ListHeader*> IndexedListReader::Header(std::size_t list)
{
    m_list = list;
    m_haveBytes = false;
    // The stamp is taken before the list is read: a list written meanwhile has a newer
    // stamp than the one kept, and is read again next time.
    const std::optional<FileStamp>& stamp = m_stamps.StampOf(list);
    if (stamp)
        if (const ListHeader* known = m_index.KeptHeader(list, *stamp))
            return known;
    if (Result<std::string_view> read = Bytes(); !read)
        return Unexpected(std::move(read).error());
    ListHeader header = ReadListHeader(m_bytes, m_index.Texts());
    if (!stamp || !m_index.WillKeepHeaderReadAt(*stamp))
        return &(m_uncached = std::move(header));
    return &m_index.Remember(list, *stamp, std::move(header));
}

Result<std::string_view> IndexedListReader::Bytes()
{
    if (!m_haveBytes) {
        if (Result<> read = ReadWholeFileInto(m_lists.PathOf(m_list), m_bytes); !read)
            return Unexpected(std::move(read).error());
        m_haveBytes = true;
    }
    return std::string_view(m_bytes);
}

const HeaderTextTable& IndexedListReader::Texts() const
{
    return m_index.Texts();
}

void IndexedListReader::SaveIndex() const
{
    m_index.Save();
}

} // namespace zvk
