#pragma once

namespace zvk::test {

// True when the system orders text by the Slovak rules ("č" after "c", "ch" after "h"),
// which Qt asks of it where Qt has no ICU (Windows). Wine follows them only under a Slovak
// user locale; a test of Slovak order is skipped where the system cannot give it.
bool SystemSortsSlovak();

} // namespace zvk::test
