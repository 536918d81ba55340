#pragma once

#include <vector>

#include <QString>

#include "device/list_failure.h"
#include "files/earlier_version.h"

namespace zvk {

// The "Chyba!" message of a reception that did not finish every list: the lists that
// stayed on the handheld, then those received without their semicolon text, then those
// received but not deleted on the handheld, each on a line of its own with its reason in
// the program's language.
QString ReceptionFailureMessage(const std::vector<ListFailure>& failures);

// The "Oznam" message of a reception that replaced desktop lists of their names with other
// bytes: each list, and where its earlier version was kept.
QString KeptVersionsMessage(const std::vector<KeptVersion>& kept);

} // namespace zvk
