#include <bit>
#include <cstring>
#include <optional>
#include <system_error>
#include <type_traits>

#include "lists/record_layout.h"
#include "reports/header_index.h"

// The form of the index file: the magic line, a checksum of everything after it, the
// folder's path, the table of header texts, then each list with its stamp and header.
// Numbers are in this computer's byte order: the file never leaves the computer that
// wrote it, and one of another form fails its magic line or its checksum.

namespace fs = std::filesystem;

namespace zvk {
namespace {

constexpr std::string_view kMagic = "ZVK header index 3\n";

// The name of a folder's index: FNV-1a, 64 bits, of the folder's path.
std::uint64_t NameHash(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037u;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211u;
    }
    return hash;
}

// The checksum of an index file of many megabytes, read before every report: four
// lanes of 8-byte words, each step of a lane a one-to-one map of its value, so that any
// one changed word changes the sum, then the lanes and the length mixed alike. A
// byte-wise hash took a report over 50,000 lists 18 ms.
std::uint64_t Checksum(std::string_view bytes)
{
    constexpr std::uint64_t kOdd = 0x9E3779B97F4A7C15u;
    const auto step = [](std::uint64_t lane, std::uint64_t word) {
        return std::rotl((lane ^ word) * kOdd, 29);
    };
    std::uint64_t lanes[4] = {1, 2, 3, 4};
    std::size_t at = 0;
    for (; at + sizeof lanes <= bytes.size(); at += sizeof lanes) {
        std::uint64_t words[4];
        std::memcpy(words, bytes.data() + at, sizeof words);
        for (int lane = 0; lane < 4; ++lane)
            lanes[lane] = step(lanes[lane], words[lane]);
    }
    for (; at < bytes.size(); ++at)
        lanes[0] = step(lanes[0], static_cast<unsigned char>(bytes[at]));
    std::uint64_t sum = step(0, bytes.size());
    for (const std::uint64_t lane : lanes)
        sum = step(sum, lane);
    return sum;
}

class ByteWriter
{
public:
    template <class Number> void Put(Number number)
    {
        static_assert(std::is_arithmetic_v<Number>);
        m_bytes.append(reinterpret_cast<const char*>(&number), sizeof number);
    }
    template <class Char> void PutText(std::basic_string_view<Char> text)
    {
        Put(static_cast<std::uint32_t>(text.size()));
        m_bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(Char));
    }
    std::string Take()
    {
        return std::move(m_bytes);
    }

private:
    std::string m_bytes;
};

// Reads what ByteWriter wrote; every read past the end, or of a length that cannot be,
// leaves the reader failed, and a failed reader reads zeros and empty texts.
class ByteReader
{
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    template <class Number> Number Get()
    {
        Number number{};
        if (Take(sizeof number))
            std::memcpy(&number, m_taken.data(), sizeof number);
        return number;
    }
    // The next `count` bytes; none when fewer are left.
    std::string_view GetBytes(std::size_t count)
    {
        return Take(count) ? m_taken : std::string_view();
    }
    template <class Char> std::basic_string<Char> GetText()
    {
        const auto length = Get<std::uint32_t>();
        if (length > m_bytes.size() / sizeof(Char) || !Take(length * sizeof(Char)))
            return {};
        std::basic_string<Char> text(length, Char());
        std::memcpy(text.data(), m_taken.data(), m_taken.size());
        return text;
    }
    // A count of records of at least `recordBytes` each, which must fit in what is left.
    std::uint32_t GetCount(std::size_t recordBytes)
    {
        const auto count = Get<std::uint32_t>();
        if (count > m_bytes.size() / recordBytes)
            m_failed = true;
        return m_failed ? 0 : count;
    }
    void FailUnless(bool condition)
    {
        m_failed = m_failed || !condition;
    }
    bool Failed() const
    {
        return m_failed;
    }
    bool AtEnd() const
    {
        return m_bytes.empty();
    }

private:
    bool Take(std::size_t count)
    {
        if (m_failed || count > m_bytes.size()) {
            m_failed = true;
            return false;
        }
        m_taken = m_bytes.substr(0, count);
        m_bytes.remove_prefix(count);
        return true;
    }

    std::string_view m_bytes;
    std::string_view m_taken;
    bool m_failed = false;
};

using PathChar = fs::path::value_type;

// A header value as written: its number, whether it is offered, its text's number.
constexpr std::size_t kValueBytes = 1 + 1 + 4;

void PutStamp(ByteWriter& out, const FileStamp& stamp)
{
    out.Put(stamp.device);
    out.Put(stamp.file);
    out.Put(stamp.size);
    out.Put(stamp.modified);
    out.Put(stamp.statusChanged);
}

FileStamp GetStamp(ByteReader& in)
{
    FileStamp stamp;
    stamp.device = in.Get<std::uint64_t>();
    stamp.file = in.Get<std::uint64_t>();
    stamp.size = in.Get<std::uint64_t>();
    stamp.modified = in.Get<std::int64_t>();
    stamp.statusChanged = in.Get<std::int64_t>();
    return stamp;
}

// What a list's header says of its date records, in one byte.
constexpr std::uint8_t kDated = 1;
constexpr std::uint8_t kImpossibleDate = 2;

std::uint8_t DateFlags(const ListHeader& header)
{
    return static_cast<std::uint8_t>((header.dated ? kDated : 0) |
                                     (header.impossibleDate ? kImpossibleDate : 0));
}

// The folder as the index knows it: its full path, whichever way it was spelt.
fs::path::string_type FolderKey(const fs::path& folder)
{
    std::error_code ec;
    const fs::path full = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    return (ec ? folder : full).native();
}

} // namespace

fs::path HeaderIndexFile(const fs::path& cacheFolder, const fs::path& folder)
{
    const fs::path::string_type key = FolderKey(folder);
    const std::uint64_t hash =
        NameHash({reinterpret_cast<const char*>(key.data()), key.size() * sizeof(PathChar)});
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string name = "headers-";
    for (int shift = 60; shift >= 0; shift -= 4)
        name += kDigits[(hash >> shift) & 0xF];
    return cacheFolder / (name + ".idx");
}

std::string HeaderIndex::Serialized() const
{
    // Only the texts of the lists kept are written, numbered anew in their order.
    std::vector<std::uint32_t> renumbered(m_texts.Size(), UINT32_MAX);
    std::vector<std::uint32_t> kept;
    std::uint32_t listCount = 0;
    for (const std::optional<Entry>& entry : m_entries) {
        if (!entry)
            continue;
        ++listCount;
        for (const HeaderValueMention& value : entry->header.values) {
            if (renumbered[value.text] == UINT32_MAX) {
                renumbered[value.text] = static_cast<std::uint32_t>(kept.size());
                kept.push_back(value.text);
            }
        }
    }
    ByteWriter out;
    out.PutText<PathChar>(FolderKey(m_lists->folder));
    out.Put(static_cast<std::uint32_t>(kept.size()));
    for (const std::uint32_t text : kept)
        out.PutText(m_texts.Text(text));
    out.Put(listCount);
    for (std::size_t list = 0; list < m_entries.size(); ++list) {
        if (!m_entries[list])
            continue;
        const Entry& entry = *m_entries[list];
        out.PutText(std::string_view(m_lists->names[list]));
        PutStamp(out, entry.stamp);
        out.Put(DateFlags(entry.header));
        out.Put(entry.header.firstDate);
        out.Put(entry.header.lastDate);
        out.Put(static_cast<std::uint32_t>(entry.header.values.size()));
        for (const HeaderValueMention& value : entry.header.values) {
            out.Put(value.number);
            out.Put(static_cast<std::uint8_t>(value.offered));
            out.Put(renumbered[value.text]);
        }
    }
    const std::string body = out.Take();
    ByteWriter file;
    file.Put(Checksum(body));
    return std::string(kMagic) + file.Take() + body;
}

HeaderIndex HeaderIndex::Deserialized(std::string_view bytes, const FolderLists& lists)
{
    if (!bytes.starts_with(kMagic))
        return HeaderIndex(lists);
    ByteReader file(bytes.substr(kMagic.size()));
    const auto checksum = file.Get<std::uint64_t>();
    const std::string_view body = bytes.substr(std::min(bytes.size(), kMagic.size() + 8));
    if (file.Failed() || checksum != Checksum(body))
        return HeaderIndex(lists);
    ByteReader in(body);
    if (in.GetText<PathChar>() != FolderKey(lists.folder))
        return HeaderIndex(lists);
    HeaderIndex index(lists);
    const std::uint32_t textCount = in.GetCount(sizeof(std::uint32_t));
    for (std::uint32_t text = 0; text < textCount; ++text)
        index.m_texts.Append(in.GetText<char>());
    // The lists are written in the order of their names, as the folder's are: each
    // finds its place among them in one walk.
    const std::vector<std::string>& names = lists.names;
    std::size_t place = 0;
    std::string previous;
    const std::uint32_t listCount = in.GetCount(sizeof(std::uint32_t));
    for (std::uint32_t list = 0; list < listCount && !in.Failed(); ++list) {
        std::string name = in.GetText<char>();
        in.FailUnless(list == 0 || previous < name);
        Entry entry;
        entry.stamp = GetStamp(in);
        ListHeader& header = entry.header;
        const auto dateFlags = in.Get<std::uint8_t>();
        in.FailUnless(dateFlags <= (kDated | kImpossibleDate));
        header.dated = (dateFlags & kDated) != 0;
        header.impossibleDate = (dateFlags & kImpossibleDate) != 0;
        header.firstDate = in.Get<std::int32_t>();
        header.lastDate = in.Get<std::int32_t>();
        // A ten-year archive holds a million and a half values: taken from their block
        // with one check of its length.
        const std::uint32_t valueCount = in.GetCount(kValueBytes);
        const std::string_view values = in.GetBytes(valueCount * kValueBytes);
        header.values.resize(values.size() / kValueBytes);
        for (std::size_t value = 0; value < header.values.size(); ++value) {
            const char* written = values.data() + value * kValueBytes;
            HeaderValueMention& mention = header.values[value];
            mention.number = static_cast<std::uint8_t>(written[0]);
            mention.offered = written[1] != 0;
            std::memcpy(&mention.text, written + 2, sizeof mention.text);
            in.FailUnless(mention.number >= 1 && mention.number <= kHeaderValueCount &&
                          mention.text < textCount);
        }
        while (place < names.size() && names[place] < name)
            ++place;
        if (place < names.size() && names[place] == name)
            index.m_entries[place] = std::move(entry);
        else
            index.m_changed = true; // a list that has gone is forgotten when it is saved
        previous = std::move(name);
    }
    if (in.Failed() || !in.AtEnd())
        return HeaderIndex(lists);
    return index;
}

} // namespace zvk
