#include "files/folder_write_check.h"

#include "files/atomic_file.h"
#include "files/temporary_files.h"
#include "system/system_reason.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {

Result<> CheckFileCanBeKeptIn(const fs::path& folder)
{
    const fs::path file = TemporaryPathFor(folder / "zvk-check");
    AtomicFileWriter writer(file, AtomicFileWriter::Existing::Keep,
                            AtomicFileWriter::Durability::OnDisk);
    writer.Write("zvk\r\n");
    if (Result<> written = writer.Commit(); !written)
        return written;
    std::error_code ec;
    if (!fs::remove(file, ec) || ec) {
        ec = ec ? StandardReason(ec) : std::make_error_code(std::errc::no_such_file_or_directory);
        return Fail("cannot remove " + PathText(file) + ": " + ec.message(),
                    {file, ec, FileFailure::Access::Writing});
    }
    return {};
}

} // namespace zvk
