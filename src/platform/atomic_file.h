#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace zvk {

// Writes a file under a temporary name in its target folder and renames it into
// place only when everything was written, flushed and closed without error, so
// that nobody ever sees half a list or half a configuration. Dropped without
// Commit (or after a failure), it removes the temporary file and leaves any
// earlier file of the target name as it was.
class AtomicFileWriter
{
public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False when the temporary file could not be created; Error() says why.
    bool IsOpen() const;
    void Write(std::string_view bytes);
    // Flushes, closes and renames; false (and nothing renamed) after any failure.
    bool Commit();
    const std::string& Error() const;
    // The system's reason for Error(), for messages in the program's own language.
    const std::error_code& Reason() const;
    const std::filesystem::path& TemporaryPath() const;

private:
    void FailWriting();
    void Fail(std::string message, std::error_code reason);
    void Discard();

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::FILE* m_file = nullptr;
    std::string m_error;
    std::error_code m_reason;
};

// The temporary name beside `target` under which a file is written before it is
// renamed into place: hidden, and ending in ".tmp" so that no list pattern takes it.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

// One-shot form of AtomicFileWriter; returns the empty string on success, else the reason.
std::string WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace zvk
