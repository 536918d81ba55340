#pragma once

#include <vector>

#include <QString>

#include "system/file_failure.h"

namespace zvk {

// The system's reason in the program's language ("súbor neexistuje").
QString SystemReasonText(std::error_code reason);

// What failed with a file, by what was done with it ("*** Zoznam sa nedá prečítať ***").
QString FileFailureHeading(FileFailure::Access access);

// One file with its reason on a line ("/prijem/LIST0001.DAT: neexistuje").
QString FileFailureLine(const FileFailure& failure);

// The "Chyba!" message of files that failed in the same way: what failed ("***
// Zoznam sa nedá prečítať ***", "*** Súbor sa nedá zapísať ***", ...), then each
// file with its reason on a line of its own.
QString FileFailureMessage(const std::vector<FileFailure>& failures);

} // namespace zvk
