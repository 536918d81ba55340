#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_stamp.h"
#include "reports/documents.h"
#include "reports/list_header.h"
#include "system/result.h"

namespace zvk {

// The headers of the lists of one receive folder, kept between reports so that the
// date filter, the criteria and the value combos open only the lists that changed.
// It lives in the user's cache folder, never in the receive folder, which may be
// read-only or shared, and it is only a shortcut: a list is taken from it only while
// its stamp is the one its header was read at, an index that cannot be read or was
// made for another folder is built anew, and one that cannot be written is simply
// not kept. A report through it has the same bytes as one without it.
//
// An index is opened for the folder's lists as they are now and knows them by their
// place among them.
class HeaderIndex
{
public:
    // An index that keeps nothing between reports: every list is read.
    explicit HeaderIndex(const FolderLists& lists);
    // The index of the folder of `lists` in `cacheFolder`; one that keeps nothing when
    // `cacheFolder` is empty.
    static HeaderIndex Open(const std::filesystem::path& cacheFolder, const FolderLists& lists);

    // The header of list number `list` as the index holds it for the file at `stamp`;
    // null when the index has none or one of another stamp.
    const ListHeader* KeptHeader(std::size_t list, const FileStamp& stamp) const;
    // Whether the header of a list read at `stamp` is kept for later reports: not when it
    // changed in the last two seconds (see IsSettled).
    bool WillKeepHeaderReadAt(const FileStamp& stamp) const;
    // Keeps the header of list number `list`, read from the file at `stamp`.
    const ListHeader& Remember(std::size_t list, const FileStamp& stamp, ListHeader header);
    HeaderTextTable& Texts();
    const HeaderTextTable& Texts() const;

    // Writes the index to its file, replacing it whole, when it learnt something or
    // holds lists that have gone. Nothing is written for an index that keeps nothing,
    // and a file that cannot be written is left as it was: the next report reads the
    // lists again.
    void Save() const;

    // The index file's bytes, and the index they hold for `lists`: one that knows no
    // list when they are damaged, of another form or of another folder.
    std::string Serialized() const;
    static HeaderIndex Deserialized(std::string_view bytes, const FolderLists& lists);

private:
    struct Entry
    {
        FileStamp stamp;
        ListHeader header;
    };

    std::filesystem::path m_file;
    const FolderLists* m_lists;
    HeaderTextTable m_texts;
    std::vector<std::optional<Entry>> m_entries; // by list number
    bool m_changed = false;                      // since it was read
};

// The file of `folder`'s index in `cacheFolder`: one per folder, named by a hash of
// the folder's full path (the path itself is inside, so two folders never share one).
std::filesystem::path HeaderIndexFile(const std::filesystem::path& cacheFolder,
                                      const std::filesystem::path& folder);

// Reads the lists of a folder, in their order, through the folder's index: the header
// of each list from the index while the list is unchanged, else from the list itself,
// whose bytes are then kept for the report's listing and summary, so that no list is
// read twice. The lists' stamps are taken from the moment it is made, while the index
// is read.
class IndexedListReader
{
public:
    // Through the index of `lists`' folder in `cacheFolder`; through one that keeps
    // nothing when `cacheFolder` is empty.
    IndexedListReader(const std::filesystem::path& cacheFolder, const FolderLists& lists);

    // The header of list number `list`; fails when the list has to be read and cannot be.
    Result<const ListHeader*> Header(std::size_t list);
    // The bytes of the list whose header was asked for last: those read for its header,
    // or read now. Valid until the next call.
    Result<std::string_view> Bytes();
    const HeaderTextTable& Texts() const;
    // Keeps what was learnt for the next reader of the folder (HeaderIndex::Save).
    void SaveIndex() const;

private:
    const FolderLists& m_lists;
    FolderStamps m_stamps; // before the index, which is read while they are taken
    HeaderIndex m_index;
    std::size_t m_list = 0;
    std::string m_bytes;
    bool m_haveBytes = false;
    ListHeader m_uncached; // of a list whose header is not kept
};

} // namespace zvk
