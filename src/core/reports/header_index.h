#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/file_stamp.h"
#include "platform/result.h"
#include "reports/list_header.h"

namespace zvk {

// The headers of the lists of one receive folder, kept between reports so that the
// date filter, the criteria and the value combos open only the lists that changed.
// It lives in the user's cache folder, never in the receive folder, which may be
// read-only or shared, and it is only a shortcut: a list is taken from it only while
// its stamp is the one its header was read at, an index that cannot be read or was
// made for another folder is built anew, and one that cannot be written is simply
// not kept. A report through it has the same bytes as one without it.
class HeaderIndex
{
public:
    // An index that keeps nothing between reports: every list is read.
    HeaderIndex() = default;
    // The index of `folder` in `cacheFolder`; one that keeps nothing when
    // `cacheFolder` is empty. A list changed less than `settling` ago is read again
    // next time (see IsSettled).
    static HeaderIndex Open(const std::filesystem::path& cacheFolder,
                            const std::filesystem::path& folder,
                            std::chrono::nanoseconds settling = std::chrono::seconds(2));

    // Whether the header of a list read at `stamp` is kept for later reports.
    bool Keeps(const FileStamp& stamp) const;

    // The header of `list` as the index holds it for the file at `stamp`; null when the
    // index has none or one of another stamp.
    const ListHeader* Current(const std::filesystem::path& list, const FileStamp& stamp) const;
    // Keeps the header of `list`, read from the file at `stamp`.
    const ListHeader& Remember(const std::filesystem::path& list, const FileStamp& stamp,
                               ListHeader header);
    HeaderTextTable& Texts();
    const HeaderTextTable& Texts() const;

    // Writes the headers of `lists` (the folder's lists now; others are forgotten) to
    // the index's file, replacing it whole. Nothing is written for an index that keeps
    // nothing or holds nothing new, and a file that cannot be written is left as it
    // was: the next report reads the lists again.
    void Save(const std::vector<std::filesystem::path>& lists) const;

    // The index file's bytes, and the index they hold for `folder`: an empty index
    // when they are damaged, of another form or of another folder.
    std::string Serialized(const std::vector<std::filesystem::path>& lists) const;
    static HeaderIndex Deserialized(std::string_view bytes, const std::filesystem::path& folder);

private:
    struct Entry
    {
        FileStamp stamp;
        ListHeader header;
    };

    std::filesystem::path m_file;
    std::filesystem::path m_folder;
    std::chrono::nanoseconds m_settling{};
    HeaderTextTable m_texts;
    std::unordered_map<std::filesystem::path::string_type, Entry> m_entries; // by list name
    bool m_changed = false;
};

// The file of `folder`'s index in `cacheFolder`: one per folder, named by a hash of
// the folder's full path (the path itself is inside, so two folders never share one).
std::filesystem::path HeaderIndexFile(const std::filesystem::path& cacheFolder,
                                      const std::filesystem::path& folder);

// Reads lists for a report through an index: the header of each list from the index
// while the list is unchanged, else from the list itself, whose bytes are then kept
// for the report's listing and summary, so that no list is read twice.
class IndexedListReader
{
public:
    explicit IndexedListReader(HeaderIndex& index);

    // The header of `list`; fails when the list has to be read and cannot be.
    Result<const ListHeader*> Header(const std::filesystem::path& list);
    // The bytes of the list whose header was asked for last: those read for its header,
    // or read now. Valid until the next call.
    Result<std::string_view> Bytes(const std::filesystem::path& list);

private:
    HeaderIndex& m_index;
    std::string m_bytes;
    bool m_haveBytes = false;
    ListHeader m_uncached; // of a list whose stamp could not be taken
};

} // namespace zvk
