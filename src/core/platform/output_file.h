#pragma once

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace zvk {

// Creates `path` for writing bytes only when no file of that name exists yet, so
// that two writers can never end up in the same file; null when it exists or
// cannot be created (errno says why).
std::FILE* OpenNewFile(const std::filesystem::path& path);

// Opens `path` for writing bytes, replacing an existing file; null on failure.
std::FILE* OpenFileForWriting(const std::filesystem::path& path);

// Opens `path` for reading bytes; null on failure.
std::FILE* OpenFileForReading(const std::filesystem::path& path);

// Renames `from` to `to` in one step, replacing a file of that name, and returns once the
// rename itself is on the disk where the system can tell (Windows): a crash then finds
// the old file or the new one, whole.
std::error_code RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Renames `from` to `to`, replacing a file of that name, without the write-back that
// some file systems (ext4) start when one file replaces another: that file is
// exchanged with `from` in one step and then removed. For files that need not be on
// the disk at once.
std::error_code RenameReplacingWithoutWriteBack(const std::filesystem::path& from,
                                                const std::filesystem::path& to);

// Renames `from` to `to` only when no file of that name exists, in one step, so that
// two writers finishing at once can never take the same name: file_exists when one
// does, another reason when the rename failed, nothing on success.
std::error_code RenameWithoutReplacing(const std::filesystem::path& from,
                                       const std::filesystem::path& to);

} // namespace zvk
