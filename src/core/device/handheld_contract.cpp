#include "device/handheld_contract.h"

#include "text/windows1250.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

char16_t FoldCase(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

bool StartHandheldProgram(RemoteApi& handheld, std::u16string_view argument)
{
    return handheld.CeCreateProcess(std::u16string(kHandheldProgram), std::u16string(argument));
}

std::u16string HandheldListPath(std::u16string_view name)
{
    return u"\\" + std::u16string(name);
}

std::u16string HandheldImportPath(std::u16string_view name)
{
    return std::u16string(kHandheldImportFolder) + std::u16string(name);
}

std::u16string HandheldNameOf(const fs::path& desktopFile)
{
    return FileNameInUtf16(desktopFile);
}

std::optional<fs::path> DesktopNameOf(std::u16string_view handheldName)
{
    if (handheldName.empty() || handheldName == u"." || handheldName == u"..")
        return std::nullopt;
    // A NUL ends a name where the system reads it: "..\0x" would be the folder above.
    if (handheldName.find_first_of(std::u16string_view(u"\\/\0", 3)) != std::u16string_view::npos)
        return std::nullopt;
    // A name that is not valid UTF-16 has no file name here; nothing is hidden, since
    // the reception names such a list as not received.
    try {
        return fs::path(std::u16string(handheldName));
    } catch (const fs::filesystem_error&) {
        return std::nullopt;
    }
}

bool MatchesHandheldPattern(std::u16string_view name, std::u16string_view pattern)
{
    // Each '*' first takes nothing; on a mismatch the latest '*' takes one character more.
    // Going back to the latest star only is enough, and keeps a pattern of many stars from
    // trying every split of the name between them.
    constexpr std::size_t kNoStar = std::u16string_view::npos;
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = kNoStar;
    std::size_t takenByStar = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            takenByStar = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (star != kNoStar) {
            p = star + 1;
            n = ++takenByStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool IsHandheldListName(std::u16string_view name)
{
    return MatchesHandheldPattern(name, kHandheldListPattern.substr(1));
}

std::u16string_view EntryName(const CeFindData& entry)
{
    const std::u16string_view whole(entry.fileName, std::size(entry.fileName));
    return whole.substr(0, whole.find(u'\0'));
}

std::uint64_t EntrySize(const CeFindData& entry)
{
    return (static_cast<std::uint64_t>(entry.fileSizeHigh) << 32) | entry.fileSizeLow;
}

FoundFiles::FoundFiles(RemoteApi& handheld, std::u16string_view pattern, std::uint32_t flags)
    : m_handheld(handheld)
{
    m_succeeded =
        m_handheld.CeFindAllFiles(std::u16string(pattern), kFafName | flags, m_count, m_entries);
    if (!m_succeeded || m_entries == nullptr)
        m_count = 0;
}

FoundFiles::~FoundFiles()
{
    if (m_entries != nullptr)
        m_handheld.CeRapiFreeBuffer(m_entries);
}

bool FoundFiles::Succeeded() const
{
    return m_succeeded;
}

std::span<const CeFindData> FoundFiles::Entries() const
{
    return {m_entries, m_count};
}

} // namespace zvk
