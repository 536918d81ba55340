#pragma once

#include <vector>

#include <QString>

#include "platform/file_failure.h"

namespace zvk {

// The system's reason in the program's language ("súbor neexistuje").
QString SystemReasonText(std::error_code reason);

// "*** Zoznam sa nedá prečítať ***" or "*** Súbor sa nedá zapísať ***", then each
// file with its reason on a line of its own: the "Chyba!" message of files that
// failed together (all read, or all written).
QString FileFailureMessage(const std::vector<FileFailure>& failures);

} // namespace zvk
