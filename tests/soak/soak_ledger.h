#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace zvk::soak {

// Every list the soaked handheld ever held, by name, with its bytes: the record against
// which the desktop folder and the handheld's store are checked after each reception.
class SoakLedger
{
public:
    SoakLedger(std::filesystem::path handheld, std::filesystem::path desktop);

    // A list measured on the handheld: it appears in the handheld's store under a name no
    // list had before, whole at once (as the handheld program closes a list before it is
    // one), with bytes drawn from `seed`. Safe from any thread.
    void Measure(std::uint64_t seed);

    // The names of the lists now in the handheld's store.
    std::set<std::string> StoreNames() const;

    // What is wrong now (nothing when all is well): a list the handheld held that is
    // neither on the desktop byte for byte nor still on the handheld, a desktop or handheld
    // copy that differs from it, and any file that is none of these lists (a temporary
    // file left behind, half a list under another name).
    std::vector<std::string> Problems() const;

    std::size_t Count() const;

private:
    std::vector<std::string> StrayFiles(const std::filesystem::path& folder,
                                        const std::set<std::string>& allowed) const;

    const std::filesystem::path m_handheld;
    const std::filesystem::path m_desktop;
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_lists;
};

} // namespace zvk::soak
