#include "support/temp_dir.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "device/reception_journal.h"
#include "support/file_bytes.h"
#include "text/path_text.h"

#ifndef _WIN32
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace zvk::test {

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    std::ostringstream name;
    name << "zvk-test-" << std::random_device{}() << '-' << counter++;
    m_path = fs::temp_directory_path() / name.str();
    fs::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Give back write permission that a test took away, so that everything can go.
    for (auto it = fs::recursive_directory_iterator(m_path, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

const fs::path& TempDir::Path() const
{
    return m_path;
}

fs::path TempDir::Write(std::string_view name, std::string_view bytes) const
{
    // In the system's own separators, as a user would name it.
    const fs::path path =
        (m_path / std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size()))
            .make_preferred();
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << path;
    return path;
}

std::string ReadBytes(const fs::path& path)
{
    EXPECT_TRUE(fs::is_regular_file(path)) << "cannot read " << path;
    return FileBytes(path);
}

std::string ListFolder(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(PathText(entry.path().filename()));
    // Every reception writes its journal beside the lists; the journal's own tests look
    // at it, the listing at what else is there.
    names.erase(std::string(kJournalName));
    std::string listing;
    for (const auto& name : names)
        listing += (listing.empty() ? "" : " ") + name;
    return listing;
}

fs::path TestData(std::string_view name)
{
    return fs::path(ZVK_TEST_DATA_DIR) / name;
}

fs::path SampleConfiguration()
{
    return fs::path(ZVK_SAMPLE_DIR).parent_path() / "config" / "ZVK.INI";
}

bool AsOrdinaryUser(const std::function<bool()>& check)
{
#ifdef _WIN32
    return check();
#else
    if (geteuid() != 0)
        return check();
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        const bool dropped =
            setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
        _exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}

} // namespace zvk::test
