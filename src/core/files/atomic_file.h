#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "files/temporary_files.h"
#include "system/result.h"

namespace zvk {

// Writes a file under a temporary name in its target folder and renames it into
// place only when everything was written, flushed and closed without error, so
// that nobody ever sees half a list, half a configuration or half a document.
// Dropped without Commit (or after a failure), it removes the temporary file and
// leaves any earlier file of the target name as it was. The temporary file is
// claimed while it is written; the first writer into a folder removes the
// temporary files there that no writer holds any more.
//
// An existing target that is a character device (a terminal, /dev/null) is written
// directly: there is no file to replace. A pipe, a socket or a disk is refused, never
// opened: an open would wait for a reader. A symbolic link is replaced by the new file
// and its target is left alone.
class AtomicFileWriter
{
public:
    // What becomes of a file that already has the target's name.
    enum class Existing
    {
        // Replaced on Commit, unless it is read-only.
        Replace,
        // Kept: Commit fails with NameTaken(), and CommitAs can try another name.
        Keep,
    };

    // Whether Commit waits until the file is on the disk: lists and configurations
    // must survive a power cut. A document can be made again, and a large report is
    // not to wait for the disk, neither on Commit nor when it replaces an earlier one.
    enum class Durability
    {
        OnDisk,
        Cached,
    };

    explicit AtomicFileWriter(std::filesystem::path target, Existing existing = Existing::Replace,
                              Durability durability = Durability::OnDisk);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False when the file could not be created or was refused, or a write failed;
    // Commit then gives the reason.
    bool IsOpen() const;
    // For a caller that collects its bytes itself and hands them over in large
    // blocks: each Write then goes to the file at once, in one piece. Called before
    // the first Write.
    void WriteWithoutBuffer();
    void Write(std::string_view bytes);
    // Flushes, closes and renames; after any failure, since the file was created,
    // nothing is renamed and the first failure comes back. Its system's reason may be
    // an OutputRefusal.
    Result<> Commit();
    // Commit under another name in the same folder.
    Result<> CommitAs(std::filesystem::path target);
    // True after a Commit that kept a file of the target's name.
    bool NameTaken() const;
    const std::filesystem::path& TemporaryPath() const;

private:
    bool Refused();
    void CreateTemporary();
    void FinishWriting();
    void FailWriting();
    void Fail(const std::string& message, std::error_code reason);
    void Discard();

    std::filesystem::path m_target;
    Existing m_existing;
    Durability m_durability;
    std::filesystem::path m_temporary;
    TemporaryFileClaim m_claim;
    std::FILE* m_file = nullptr;
    bool m_direct = false;
    bool m_nameTaken = false;
    std::optional<Failure> m_failure;
};

// The call that makes a file's written bytes reach the disk before a durable file is
// renamed into place: false, with errno set, when they did not. Replaceable so that
// a test can see when it happens and make it fail; gives back the one it replaces.
using SyncToDiskFunction = bool (*)(std::FILE* file);
SyncToDiskFunction ReplaceSyncToDisk(SyncToDiskFunction sync);

// The call that makes a durable file's new name reach the disk with its folder, after the
// rename: false, with errno set, when it did not. Replaceable as the one above.
using SyncFolderFunction = bool (*)(const std::filesystem::path& folder);
SyncFolderFunction ReplaceSyncFolder(SyncFolderFunction sync);

// Appends `bytes` to `file`, which starts with `firstBytes` when it is made, and returns
// once they are on the disk (with the file's name, when the file is new): for a journal,
// whose lines must be there before what they tell of is done. A pipe or a device is
// refused; after a line that was cut (a full disk, an editor), the new one starts a line.
Result<> AppendDurably(const std::filesystem::path& file, std::string_view bytes,
                       std::string_view firstBytes);

// One-shot form of AtomicFileWriter.
Result<> WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace zvk
