#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <sstream>
#include <system_error>

#include "platform/output_file.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

std::error_code Errno()
{
    return {errno, std::generic_category()};
}

std::string UniqueSuffix()
{
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    std::ostringstream out;
    out << std::hex << seed << '-' << counter.fetch_add(1);
    return out.str();
}

bool SyncToDisk(std::FILE* file)
{
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// A read-only file is one its owner may not write: checked on the permission bits
// because the superuser may write anything, yet a file marked read-only must stay.
bool IsReadOnly(const fs::file_status& status)
{
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

} // namespace

fs::path TemporaryPathFor(const fs::path& target)
{
    fs::path name = target.filename();
    name += "." + UniqueSuffix() + ".tmp";
    return target.parent_path() / ("." + name.string());
}

AtomicFileWriter::AtomicFileWriter(fs::path target) : m_target(std::move(target))
{
    std::error_code ec;
    const fs::file_status status = fs::status(m_target, ec);
    if (fs::is_directory(status)) {
        m_error = m_target.string() + " is a folder";
        m_reason = std::make_error_code(std::errc::is_a_directory);
        return;
    }
    if (fs::exists(status) && IsReadOnly(status)) {
        m_error = m_target.string() + " is read-only";
        m_reason = std::make_error_code(std::errc::permission_denied);
        return;
    }
    for (int attempt = 0; attempt < 16 && m_file == nullptr; ++attempt) {
        m_temporary = TemporaryPathFor(m_target);
        m_file = OpenNewFile(m_temporary);
        if (m_file == nullptr && errno != EEXIST)
            break;
    }
    if (m_file == nullptr) {
        m_reason = Errno();
        m_error = "cannot create a file in " + m_target.parent_path().string() + ": " +
                  m_reason.message();
        m_temporary.clear();
    }
}

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

bool AtomicFileWriter::IsOpen() const
{
    return m_file != nullptr;
}

void AtomicFileWriter::Write(std::string_view bytes)
{
    if (m_file == nullptr || bytes.empty())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        FailWriting();
}

bool AtomicFileWriter::Commit()
{
    if (m_file == nullptr)
        return false;
    if (std::fflush(m_file) != 0 || !SyncToDisk(m_file)) {
        FailWriting();
        return false;
    }
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (closed != 0) {
        FailWriting();
        return false;
    }
    std::error_code ec;
    const fs::file_status status = fs::status(m_target, ec);
    if (fs::exists(status))
        fs::permissions(m_temporary, status.permissions(), ec);
    fs::rename(m_temporary, m_target, ec);
    if (ec) {
        Fail("cannot replace " + m_target.string(), ec);
        return false;
    }
    m_temporary.clear();
    return true;
}

const std::string& AtomicFileWriter::Error() const
{
    return m_error;
}

const std::error_code& AtomicFileWriter::Reason() const
{
    return m_reason;
}

const fs::path& AtomicFileWriter::TemporaryPath() const
{
    return m_temporary;
}

void AtomicFileWriter::FailWriting()
{
    // errno first: building the message may change it.
    const std::error_code reason = Errno();
    Fail("cannot write " + m_target.string(), reason);
}

void AtomicFileWriter::Fail(std::string message, std::error_code reason)
{
    if (m_error.empty()) {
        m_error = std::move(message) + ": " + reason.message();
        m_reason = reason;
    }
    Discard();
}

void AtomicFileWriter::Discard()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temporary.empty()) {
        std::error_code ec;
        fs::remove(m_temporary, ec);
        m_temporary.clear();
    }
}

std::string WriteFileAtomically(const fs::path& target, std::string_view bytes)
{
    AtomicFileWriter writer(target);
    writer.Write(bytes);
    writer.Commit();
    return writer.Error();
}

} // namespace zvk
