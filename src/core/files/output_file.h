#pragma once

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "system/result.h"

namespace zvk {

// A file opened as a stream of bytes, or the system's reason it could not be.
using OpenedFile = Expected<std::FILE*, std::error_code>;

// Creates `path` for writing bytes only when no file of that name exists yet, so that
// two writers can never end up in the same file (file_exists when one does). Others may
// read the file and rename it away while it is written: a viewer or the search indexer
// looking in does not stop its writer.
OpenedFile OpenNewFile(const std::filesystem::path& path);

// Opens `path` for writing bytes, replacing an existing file.
OpenedFile OpenFileForWriting(const std::filesystem::path& path);

// Opens `path` for appending bytes and reading them, made when it is missing.
OpenedFile OpenFileForAppending(const std::filesystem::path& path);

// Opens `path` for reading bytes.
OpenedFile OpenFileForReading(const std::filesystem::path& path);

// Renames `from` to `to` in one step, replacing a file of that name, and returns once the
// rename itself is on the disk where the system can tell (Windows): a crash then finds
// the old file or the new one, whole. On Windows a replaced file's access rights and
// attributes pass to the new one.
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
