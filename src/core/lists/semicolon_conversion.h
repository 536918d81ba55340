#pragma once

#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "files/written_files.h"
#include "lists/format_version_reader.h"
#include "system/result.h"

namespace zvk {

// The semicolon text of a data list: one line per header value and item, fields
// copied with their spaces and decimal points turned into commas.
//
// One object converts the lists of one reception: the format version in force
// carries over from one list to the next, as a list without a header is read
// with the version of the list before it. Nor does it write one text over another it
// wrote: "A.DAT" and "A.dat" both make "A.csv".
class SemicolonConversion
{
public:
    // Writes the semicolon text beside the list (see SemicolonTextPathFor); the
    // file appears only once it was written completely; its path, or why there is
    // none. A stop request ends the conversion without writing anything, and a text
    // this object wrote earlier is never written over (OutputRefusal::WrittenInThisRun).
    Result<std::filesystem::path> ConvertListToSemicolonText(const std::filesystem::path& listPath,
                                                             std::string_view listName,
                                                             std::stop_token stop = {});

    // The output bytes of one line of a data list (line end removed); empty for
    // lines that give no output.
    std::string ConvertLine(std::string_view line, std::string_view listName);

    const std::string& VersionInForce() const;

private:
    FormatVersionReader m_versions;
    WrittenFiles m_written;
};

// The list's own ".dat" extension, in any letter case, replaced by ".csv"; no
// path for a name without that extension.
std::optional<std::filesystem::path> SemicolonTextPathFor(const std::filesystem::path& listPath);

} // namespace zvk
