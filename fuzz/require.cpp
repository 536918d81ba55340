#include "fuzz_target.h"

#include <cstdio>
#include <cstdlib>

namespace zvk::fuzz {

void Require(bool holds, std::string_view what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz property failed: %.*s\n", static_cast<int>(what.size()),
                 what.data());
    std::abort();
}

} // namespace zvk::fuzz
