#include "files/temporary_files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <system_error>

#include "text/path_text.h"

#ifdef _WIN32
#include <charconv>

#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

constexpr std::string_view kTemporaryEnd = ".tmp";

// The first part tells who writes the file: on Windows the writer's process id, which
// the sweep of abandoned files asks after; elsewhere a random number, as the writer's
// lock on the file tells.
unsigned WriterPart()
{
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return std::random_device{}();
#endif
}

std::string UniqueSuffix()
{
    static std::atomic<unsigned> counter{0};
    static const unsigned writer = WriterPart();
    std::ostringstream out;
    out << std::hex << writer << '-' << counter.fetch_add(1);
    return out.str();
}

// A temporary name may always be this long: names of this length fit on every disk.
constexpr std::size_t kShortName = 40;

// Whether position `at` of a file name starts a character: no UTF-8 continuation byte
// here, no low surrogate of a pair on Windows.
bool StartsCharacter(const fs::path::string_type& name, std::size_t at)
{
    const auto unit = static_cast<std::uint32_t>(name[at]);
#ifdef _WIN32
    return unit < 0xDC00 || unit > 0xDFFF;
#else
    return (unit & 0xC0) != 0x80;
#endif
}

bool AllOf(std::string_view text, std::string_view allowed)
{
    return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
}

// The temporary files this process's writers hold, in the one form of a path that a
// claim and a sweep both see, however each named its folder.
std::mutex g_claimedMutex;
std::set<fs::path> g_claimed;

fs::path ClaimedForm(const fs::path& path)
{
    std::error_code ec;
    return fs::absolute(path, ec).lexically_normal();
}

#ifndef _WIN32
bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes `path` when it is a temporary file that nobody holds: the lock is taken
// first, so a writer that still runs keeps its file, and the name is checked to be
// still that file, so nothing else is removed in its place.
void RemoveIfAbandoned(const fs::path& path)
{
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int descriptor = open(path.c_str(), O_RDONLY | kFlags);
    // A writer under a narrow mask (umask 0577) makes files only it may write: the lock is
    // taken through a descriptor for writing, which changes nothing in the file.
    if (descriptor < 0 && errno == EACCES)
        descriptor = open(path.c_str(), O_WRONLY | kFlags);
    if (descriptor < 0)
        return;
    struct stat held
    {
    };
    struct stat named
    {
    };
    if (fstat(descriptor, &held) == 0 && S_ISREG(held.st_mode) &&
        flock(descriptor, LOCK_EX | LOCK_NB) == 0 && lstat(path.c_str(), &named) == 0 &&
        SameFile(held, named))
        unlink(path.c_str());
    close(descriptor);
}
#else
// Windows locks a file for as long as one of its handles lives, but a writer closes its
// file before the rename: the name tells the writer's process instead. Within this
// process the writers' claims (ClaimedFiles) tell.
bool Claimed(const fs::path& path)
{
    const std::lock_guard lock(g_claimedMutex);
    return g_claimed.contains(ClaimedForm(path));
}

// The process id in a temporary name (".NAME.<pid>-<counter>.tmp"); nothing when the
// name holds none.
std::optional<DWORD> WriterProcess(std::string_view fileName)
{
    const std::size_t dash = fileName.rfind('-');
    const std::size_t dot = fileName.rfind('.', dash);
    DWORD process = 0;
    const char* end = fileName.data() + dash;
    const auto [stop, error] = std::from_chars(fileName.data() + dot + 1, end, process, 16);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return process;
}

bool ProcessRuns(DWORD process)
{
    HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, process);
    if (handle == nullptr)
        // A process that cannot be asked, for want of rights, may still run.
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool runs = WaitForSingleObject(handle, 0) == WAIT_TIMEOUT;
    CloseHandle(handle);
    return runs;
}

// Removes `path` when its writer is gone: its process has ended, or it is this process
// and no writer here claims it. A process id that a new process took over keeps the file
// until that one ends too. A file that a writer still has open cannot be removed at all.
void RemoveIfAbandoned(const fs::path& path)
{
    const std::optional<DWORD> writer = WriterProcess(PathText(path.filename()));
    if (!writer)
        return;
    const bool held = *writer == GetCurrentProcessId() ? Claimed(path) : ProcessRuns(*writer);
    std::error_code ec;
    if (!held)
        fs::remove(path, ec);
}
#endif

} // namespace

fs::path TemporaryPathFor(const fs::path& target)
{
    const fs::path::string_type name = target.filename().native();
    const std::string end = "." + UniqueSuffix() + std::string(kTemporaryEnd);
    // Never longer than the target's own name, which fits, or a short name: the target's
    // name is cut, at a whole character, to make room for the end.
    const std::size_t allowed = std::max(name.size(), kShortName);
    std::size_t kept =
        std::min(name.size(), allowed > end.size() + 1 ? allowed - end.size() - 1 : 1);
    while (kept > 1 && kept < name.size() && !StartsCharacter(name, kept))
        --kept;
    fs::path::string_type temporary(1, '.');
    temporary += name.substr(0, kept);
    temporary += fs::path(end).native();
    return target.parent_path() / temporary;
}

bool IsTemporaryName(std::string_view fileName)
{
    if (fileName.size() <= kTemporaryEnd.size() + 1 || fileName.front() != '.' ||
        !fileName.ends_with(kTemporaryEnd))
        return false;
    const std::string_view rest = fileName.substr(1, fileName.size() - 1 - kTemporaryEnd.size());
    const std::size_t dot = rest.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return false;
    const std::string_view suffix = rest.substr(dot + 1);
    const std::size_t dash = suffix.find('-');
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    return dash != std::string_view::npos && AllOf(suffix.substr(0, dash), kHexDigits) &&
           AllOf(suffix.substr(dash + 1), kHexDigits);
}

TemporaryFileClaim::~TemporaryFileClaim()
{
    Release();
}

bool TemporaryFileClaim::Claim(std::FILE* file, const fs::path& path)
{
    Release();
#ifdef _WIN32
    // The writer's open file cannot be removed: still there, it is its writer's.
    (void)file;
    const std::lock_guard lock(g_claimedMutex);
    if (!fs::exists(path))
        return false;
    m_path = ClaimedForm(path);
    g_claimed.insert(m_path);
    return true;
#else
    // A descriptor of its own keeps the lock when the writer closes its file before
    // the rename.
    m_descriptor = fcntl(fileno(file), F_DUPFD_CLOEXEC, 0);
    if (m_descriptor < 0)
        return false;
    if (flock(m_descriptor, LOCK_EX | LOCK_NB) != 0) {
        // Where the file system has no locks, no sweep can take the file either.
        const bool heldByAnother = errno == EWOULDBLOCK;
        Release();
        return !heldByAnother;
    }
    struct stat held
    {
    };
    struct stat named
    {
    };
    if (fstat(m_descriptor, &held) != 0 || lstat(path.c_str(), &named) != 0 ||
        !SameFile(held, named)) {
        Release();
        return false;
    }
    const std::lock_guard lock(g_claimedMutex);
    m_path = ClaimedForm(path);
    g_claimed.insert(m_path);
    return true;
#endif
}

void TemporaryFileClaim::Release()
{
    if (!m_path.empty()) {
        const std::lock_guard lock(g_claimedMutex);
        g_claimed.erase(m_path);
        m_path.clear();
    }
#ifndef _WIN32
    if (m_descriptor >= 0)
        close(m_descriptor);
    m_descriptor = -1;
#endif
}

void RemoveClaimedTemporaryFiles()
{
    const std::lock_guard lock(g_claimedMutex);
    for (const fs::path& path : g_claimed) {
        std::error_code ec;
        fs::remove(path, ec);
    }
}

void RemoveAbandonedTemporaryFiles(const fs::path& folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
         !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (IsTemporaryName(PathText(it->path().filename())))
            RemoveIfAbandoned(it->path());
    }
}

void RemoveAbandonedTemporaryFilesOnce(const fs::path& folder)
{
    static std::mutex mutex;
    static std::set<fs::path> swept;
    std::error_code ec;
    const fs::path absolute = fs::absolute(folder, ec).lexically_normal();
    {
        const std::lock_guard lock(mutex);
        if (!swept.insert(absolute).second)
            return;
    }
    RemoveAbandonedTemporaryFiles(folder);
}

} // namespace zvk
