#include "soak_ledger.h"

#include <map>

#include <system_error>

#include "device/emulated_program.h"
#include "device/emulator_settings.h"
#include "device/reception_journal.h"
#include "files/input_file.h"
#include "text/sha256.h"

namespace fs = std::filesystem;

namespace zvk::soak {
namespace {

// Bytes as a measured list may hold them: header and item lines with CR LF, letters of
// the handheld's code page, now and then a NUL; from a few bytes to a few pieces of a copy.
std::string ListBytes(std::mt19937_64& random)
{
    std::uniform_int_distribution<int> length(1, 40000);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(static_cast<std::size_t>(length(random)), '\0');
    for (char& c : bytes)
        c = static_cast<char>(byte(random));
    for (std::size_t line = 40; line + 1 < bytes.size(); line += 41) {
        bytes[line] = '\r';
        bytes[line + 1] = '\n';
    }
    return bytes;
}

} // namespace

SoakLedger::SoakLedger(fs::path handheld, fs::path desktop)
    : m_handheld(std::move(handheld)), m_desktop(std::move(desktop))
{}

void SoakLedger::Measure(std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    const std::string bytes = ListBytes(random);
    const std::lock_guard lock(m_mutex);
    char name[16];
    std::snprintf(name, sizeof name, "S%07zu.DAT", m_lists.size() + 1);
    // Written beside the store and renamed into it, so that an export never meets half
    // of it.
    const fs::path measuring = m_handheld / "ZVK_CE" / "measuring";
    {
        std::ofstream out(measuring, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    fs::rename(measuring, EmulatedListStore(m_handheld) / name);
    m_lists.emplace(name, bytes);
}

std::set<std::string> SoakLedger::StoreNames() const
{
    std::set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(EmulatedListStore(m_handheld), ec);
         !ec && it != fs::directory_iterator(); it.increment(ec))
        names.insert(it->path().filename().string());
    return names;
}

std::vector<std::string> SoakLedger::Problems() const
{
    const std::lock_guard lock(m_mutex);
    std::vector<std::string> problems;
    // The journal names every list on the desktop with its bytes' digest, and no other.
    std::map<std::string, std::string> journaled;
    if (const Result<JournalReading> journal = ReadJournal(m_desktop)) {
        for (const JournalEntry& entry : journal->entries)
            journaled[entry.desktopName] = entry.sha256;
        if (!journal->damagedLines.empty())
            problems.push_back("the journal has damaged lines");
    }
    std::set<std::string> names{std::string(kJournalName)};
    for (const auto& [name, bytes] : m_lists) {
        names.insert(name);
        const Result<std::string> desktop = ReadWholeFile(m_desktop / name);
        const Result<std::string> store = ReadWholeFile(EmulatedListStore(m_handheld) / name);
        const Result<std::string> exported = ReadWholeFile(m_handheld / name);
        if (!desktop && !store)
            problems.push_back(name + " is neither on the desktop nor on the handheld");
        if (desktop && *desktop != bytes)
            problems.push_back(name + " differs on the desktop (" +
                               std::to_string(desktop->size()) + " bytes of " +
                               std::to_string(bytes.size()) + ")");
        const auto named = journaled.find(name);
        if (desktop && (named == journaled.end() || named->second != Sha256Hex(*desktop)))
            problems.push_back(name + " is on the desktop without its line in the journal");
        if (!desktop && named != journaled.end())
            problems.push_back("the journal names " + name + ", which is not on the desktop");
        if (store && *store != bytes)
            problems.push_back(name + " differs in the handheld's store");
        if (exported && *exported != bytes)
            problems.push_back(name + " differs at the handheld's top");
    }
    for (std::vector<std::string> stray :
         {StrayFiles(m_desktop, names), StrayFiles(EmulatedListStore(m_handheld), names),
          StrayFiles(m_handheld, names)})
        problems.insert(problems.end(), stray.begin(), stray.end());
    return problems;
}

std::size_t SoakLedger::Count() const
{
    const std::lock_guard lock(m_mutex);
    return m_lists.size();
}

std::vector<std::string> SoakLedger::StrayFiles(const fs::path& folder,
                                                const std::set<std::string>& allowed) const
{
    std::vector<std::string> stray;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const bool handheldOwn =
            folder == m_handheld && (name == "ZVK_CE" || name == kEmulatorSettingsFile);
        if (!handheldOwn && !allowed.contains(name))
            stray.push_back("stray file " + it->path().string());
    }
    return stray;
}

} // namespace zvk::soak
