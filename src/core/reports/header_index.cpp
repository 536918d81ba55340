#include "reports/header_index.h"

#include <algorithm>
#include <system_error>

#include "lists/line_reader.h"
#include "platform/atomic_file.h"
#include "platform/input_file.h"

namespace fs = std::filesystem;

namespace zvk {

HeaderIndex HeaderIndex::Open(const fs::path& cacheFolder, const fs::path& folder,
                              std::chrono::nanoseconds settling)
{
    if (cacheFolder.empty())
        return {};
    const fs::path file = HeaderIndexFile(cacheFolder, folder);
    const Result<std::string> bytes = ReadWholeFile(file);
    HeaderIndex index = bytes ? Deserialized(*bytes, folder) : HeaderIndex();
    index.m_file = file;
    index.m_folder = folder;
    index.m_settling = settling;
    return index;
}

bool HeaderIndex::Keeps(const FileStamp& stamp) const
{
    return !m_file.empty() && IsSettled(stamp, m_settling);
}

const ListHeader* HeaderIndex::Current(const fs::path& list, const FileStamp& stamp) const
{
    const auto found = m_entries.find(list.filename().native());
    if (found == m_entries.end() || found->second.stamp != stamp)
        return nullptr;
    return &found->second.header;
}

const ListHeader& HeaderIndex::Remember(const fs::path& list, const FileStamp& stamp,
                                        ListHeader header)
{
    m_changed = true;
    Entry& entry = m_entries[list.filename().native()];
    entry = {stamp, std::move(header)};
    return entry.header;
}

HeaderTextTable& HeaderIndex::Texts()
{
    return m_texts;
}

const HeaderTextTable& HeaderIndex::Texts() const
{
    return m_texts;
}

void HeaderIndex::Save(const std::vector<fs::path>& lists) const
{
    if (m_file.empty())
        return;
    const auto kept = std::count_if(lists.begin(), lists.end(), [&](const fs::path& list) {
        return m_entries.contains(list.filename().native());
    });
    // Unchanged, and no list it holds has gone.
    if (!m_changed && static_cast<std::size_t>(kept) == m_entries.size())
        return;
    std::error_code ignored; // without its folder the index is not kept
    fs::create_directories(m_file.parent_path(), ignored);
    AtomicFileWriter writer(m_file, AtomicFileWriter::Existing::Replace,
                            AtomicFileWriter::Durability::Cached);
    writer.Write(Serialized(lists));
    static_cast<void>(writer.Commit()); // an index not kept is read again next time
}

IndexedListReader::IndexedListReader(HeaderIndex& index) : m_index(index) {}

Result<const ListHeader*> IndexedListReader::Header(const fs::path& list)
{
    m_haveBytes = false;
    const std::optional<FileStamp> stamp = StampOf(list);
    if (stamp)
        if (const ListHeader* known = m_index.Current(list, *stamp))
            return known;
    // The stamp is taken before the bytes are read: a list written meanwhile has a
    // newer stamp than the one kept, and is read again next time.
    if (Result<> read = ReadWholeFileInto(list, m_bytes); !read)
        return Unexpected(std::move(read).error());
    m_haveBytes = true;
    ListHeaderReader reader(m_index.Texts());
    ForEachLineIn(m_bytes, [&](std::string_view line) { reader.Read(line); });
    if (!stamp || !m_index.Keeps(*stamp))
        return &(m_uncached = reader.Take());
    return &m_index.Remember(list, *stamp, reader.Take());
}

Result<std::string_view> IndexedListReader::Bytes(const fs::path& list)
{
    if (!m_haveBytes) {
        if (Result<> read = ReadWholeFileInto(list, m_bytes); !read)
            return Unexpected(std::move(read).error());
        m_haveBytes = true;
    }
    return std::string_view(m_bytes);
}

} // namespace zvk
