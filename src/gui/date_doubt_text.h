#pragma once

#include <vector>

#include <QString>

#include "reports/report_session.h"

namespace zvk {

// What the report dialog says under its progress bar of the lists whose dates did not
// decide whether the report holds them: one line for the lists without a date record,
// one for those with an impossible date that the report leaves out and one for those
// it holds all the same, each with the number in its Slovak form and the lists' names
// (the first three and how many more, when there are over four). Empty when there are
// none.
QString DateDoubtText(const std::vector<DoubtfulDate>& lists);

} // namespace zvk
