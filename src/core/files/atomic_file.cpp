#include "files/atomic_file.h"

#include <atomic>
#include <cassert>
#include <cerrno>

#include "files/input_file.h"
#include "files/output_file.h"
#include "files/output_refusal.h"
#include "files/windows_refusal.h"
#include "system/system_reason.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

// Names tried for the temporary file before the folder is taken to refuse new files.
constexpr int kTemporaryAttempts = 16;

std::error_code Errno()
{
    return {errno, std::generic_category()};
}

bool SystemSyncToDisk(std::FILE* file)
{
#ifdef _WIN32
    return FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::atomic<SyncToDiskFunction> g_syncToDisk{SystemSyncToDisk};

// On Windows the rename itself is written through (MOVEFILE_WRITE_THROUGH). Elsewhere the
// folder's entry reaches the disk only with the folder: a file system that cannot sync a
// folder (EINVAL) keeps nothing there to wait for.
bool SystemSyncFolder([[maybe_unused]] const fs::path& folder)
{
#ifdef _WIN32
    return true;
#else
    const int descriptor =
        open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = fsync(descriptor) == 0 || errno == EINVAL;
    const int reason = errno;
    close(descriptor);
    errno = reason;
    return synced;
#endif
}

std::atomic<SyncFolderFunction> g_syncFolder{SystemSyncFolder};

// The replacing file gets the owner and group of the file it replaces, where the process
// may give them (a file of another user's edited by an administrator stays that user's).
void KeepOwner([[maybe_unused]] const fs::path& replaced, [[maybe_unused]] const fs::path& file)
{
#ifndef _WIN32
    struct stat owned
    {
    };
    if (stat(replaced.c_str(), &owned) == 0)
        static_cast<void>(chown(file.c_str(), owned.st_uid, owned.st_gid));
#endif
}

// A read-only file is one its owner may not write: checked on the permission bits
// because the superuser may write anything, yet a file marked read-only must stay.
bool IsReadOnly(const fs::file_status& status)
{
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// A device that takes what is written at once (a terminal, /dev/null): there is no file
// to replace, and it is written directly.
bool IsCharacterDevice(const fs::file_status& linkStatus)
{
    return fs::is_character_file(linkStatus);
}

// A pipe, a socket or a disk: an open would wait for a reader, or the bytes would go
// where no file is. Refused with its name, never opened.
bool IsNoFile(const fs::file_status& linkStatus)
{
    return fs::is_fifo(linkStatus) || fs::is_socket(linkStatus) || fs::is_block_file(linkStatus);
}

} // namespace

AtomicFileWriter::AtomicFileWriter(fs::path target, Existing existing, Durability durability)
    : m_target(std::move(target)), m_existing(existing), m_durability(durability)
{
    if (Refused())
        return;
    std::error_code ec;
    if (m_existing == Existing::Replace && IsCharacterDevice(fs::symlink_status(m_target, ec))) {
        m_direct = true;
        OpenedFile file = OpenFileForWriting(m_target);
        if (file)
            m_file = *file;
        else
            Fail("cannot write " + PathText(m_target), file.error());
        return;
    }
    CreateTemporary();
}

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

bool AtomicFileWriter::IsOpen() const
{
    return m_file != nullptr;
}

void AtomicFileWriter::WriteWithoutBuffer()
{
    if (m_file != nullptr)
        std::setvbuf(m_file, nullptr, _IONBF, 0);
}

void AtomicFileWriter::Write(std::string_view bytes)
{
    if (m_file == nullptr || bytes.empty())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        FailWriting();
}

Result<> AtomicFileWriter::Commit()
{
    if (m_nameTaken) {
        m_nameTaken = false;
        m_failure.reset();
    }
    if (!m_failure && m_file != nullptr)
        FinishWriting();
    if (m_failure)
        return Unexpected(*m_failure);
    if (m_direct)
        return {};
    // Committed once already: a programming error.
    assert(!m_temporary.empty());
    std::error_code ec;
    if (m_existing == Existing::Keep) {
        ec = RenameWithoutReplacing(m_temporary, m_target);
        if (ec == std::errc::file_exists) {
            m_nameTaken = true;
            m_failure = Failure{"cannot create " + PathText(m_target) + ": " + ec.message(),
                                {m_target, ec, FileFailure::Access::Writing}};
            return Unexpected(*m_failure);
        }
    } else {
        // Only a file passes its mode on: a link to a device does not make the new file
        // writable for everyone.
        const fs::file_status status = fs::status(m_target, ec);
        if (fs::is_regular_file(status)) {
            fs::permissions(m_temporary, status.permissions(), ec);
            KeepOwner(m_target, m_temporary);
        }
        if (m_durability == Durability::Cached)
            ec = RenameReplacingWithoutWriteBack(m_temporary, m_target);
        else
            ec = RenameReplacing(m_temporary, m_target);
    }
    if (ec) {
        Fail("cannot replace " + PathText(m_target), ec);
        return Unexpected(*m_failure);
    }
    m_temporary.clear();
    // A durable file is in place only once its new name is on the disk too: a list is
    // deleted on the handheld after this, and a power cut must not take both copies.
    if (m_durability == Durability::OnDisk && !g_syncFolder.load()(m_target.parent_path())) {
        Fail("cannot write " + PathText(m_target), Errno());
        return Unexpected(*m_failure);
    }
    m_claim.Release();
    return {};
}

Result<> AtomicFileWriter::CommitAs(fs::path target)
{
    m_target = std::move(target);
    return Commit();
}

bool AtomicFileWriter::NameTaken() const
{
    return m_nameTaken;
}

const fs::path& AtomicFileWriter::TemporaryPath() const
{
    return m_temporary;
}

bool AtomicFileWriter::Refused()
{
    std::error_code ec;
    const fs::file_status status = fs::status(m_target, ec);
    std::error_code reason;
    std::string detail;
    if (IsNoFile(fs::symlink_status(m_target, ec))) {
        reason = InputRefusal::NotARegularFile;
        detail = PathText(m_target) + " " + reason.message();
    } else if (fs::is_directory(status)) {
        reason = std::make_error_code(std::errc::is_a_directory);
        detail = PathText(m_target) + " is a folder";
    } else if (m_existing == Existing::Replace && fs::exists(status) && IsReadOnly(status)) {
        reason = OutputRefusal::ReadOnly;
        detail = PathText(m_target) + " " + reason.message();
    } else if (ExceedsWindowsPathLimit(m_target)) {
        // Refused before anything is made, so that no temporary file is left of a write
        // that cannot end; the temporary name is never longer than the target's.
        reason = WindowsRefusal::PathTooLong;
        detail = "cannot write " + PathText(m_target) + ": " + reason.message();
    }
    if (reason)
        m_failure = Failure{detail, {m_target, reason, FileFailure::Access::Writing}};
    return m_failure.has_value();
}

void AtomicFileWriter::CreateTemporary()
{
    RemoveAbandonedTemporaryFilesOnce(m_target.parent_path());
    std::error_code reason = std::make_error_code(std::errc::device_or_resource_busy);
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        m_temporary = TemporaryPathFor(m_target);
        OpenedFile file = OpenNewFile(m_temporary);
        if (!file) {
            reason = file.error();
            if (reason != std::errc::file_exists)
                break;
            continue;
        }
        m_file = *file;
        if (m_claim.Claim(m_file, m_temporary))
            return;
        // Taken by a sweep of abandoned files before it was claimed: start over.
        std::fclose(m_file);
        m_file = nullptr;
        std::error_code ec;
        fs::remove(m_temporary, ec);
    }
    m_temporary.clear();
    // A target named without a folder lies in the working folder, which is named too.
    const fs::path folder = m_target.has_parent_path() ? m_target.parent_path() : fs::path(".");
    Fail("cannot create a file in " + PathText(folder), reason);
}

void AtomicFileWriter::FinishWriting()
{
    const bool toDisk = m_durability == Durability::OnDisk && !m_direct;
    if (std::fflush(m_file) != 0 || (toDisk && !g_syncToDisk.load()(m_file))) {
        FailWriting();
        return;
    }
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (closed != 0)
        FailWriting();
}

void AtomicFileWriter::FailWriting()
{
    // errno first: building the message may change it.
    const std::error_code reason = Errno();
    Fail("cannot write " + PathText(m_target), reason);
}

void AtomicFileWriter::Fail(const std::string& message, std::error_code reason)
{
    reason = StandardReason(reason);
    if (!m_failure)
        m_failure = Failure{message + ": " + reason.message(),
                            {m_target, reason, FileFailure::Access::Writing}};
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
    m_claim.Release();
}

SyncToDiskFunction ReplaceSyncToDisk(SyncToDiskFunction sync)
{
    return g_syncToDisk.exchange(sync);
}

SyncFolderFunction ReplaceSyncFolder(SyncFolderFunction sync)
{
    return g_syncFolder.exchange(sync);
}

Result<> AppendDurably(const fs::path& file, std::string_view bytes, std::string_view firstBytes)
{
    const auto failed = [&file](std::error_code reason) -> Result<> {
        reason = StandardReason(reason);
        return Fail("cannot write " + PathText(file) + ": " + reason.message(),
                    {file, reason, FileFailure::Access::Writing});
    };
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    const bool made = !fs::exists(status);
    if (!made && !fs::is_regular_file(status))
        return failed(fs::is_directory(status) ? std::make_error_code(std::errc::is_a_directory)
                                               : std::error_code(InputRefusal::NotARegularFile));
    const OpenedFile opened = OpenFileForAppending(file);
    if (!opened)
        return failed(opened.error());
    std::FILE* stream = *opened;
    std::string text;
    if (std::fseek(stream, 0, SEEK_END) == 0 && std::ftell(stream) > 0) {
        std::fseek(stream, -1, SEEK_END);
        if (std::fgetc(stream) != '\n')
            text = "\n";
        std::fseek(stream, 0, SEEK_END);
    } else {
        text = firstBytes;
    }
    text += bytes;
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
                         std::fflush(stream) == 0 && g_syncToDisk.load()(stream);
    const std::error_code reason = Errno();
    if (std::fclose(stream) != 0 || !written)
        return failed(written ? Errno() : reason);
    if (made && !g_syncFolder.load()(file.parent_path()))
        return failed(Errno());
    return {};
}

Result<> WriteFileAtomically(const fs::path& target, std::string_view bytes)
{
    AtomicFileWriter writer(target);
    writer.Write(bytes);
    return writer.Commit();
}

} // namespace zvk
