// A measurement text of any content becomes a data list: a header line and one long-wood
// item line per complete log, each ended with CR LF, whatever the values hold.

#include <sstream>
#include <string>

#include "fuzz_target.h"
#include "lists/record_layout.h"
#include "lists/text_import.h"

namespace {

bool EveryLineEndsWithCrLf(std::string_view list)
{
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t newline = list.find('\n', at);
        if (newline == std::string_view::npos || newline == at || list[newline - 1] != '\r')
            return false;
        at = newline + 1;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream text{std::string(zvk::fuzz::BytesOf(data, size))};
    const std::string list = zvk::DataListFromMeasurementText(text, "MERANIE.TXT");
    zvk::fuzz::Require(list.starts_with(zvk::kListHeaderCode), "the list has no header line");
    zvk::fuzz::Require(EveryLineEndsWithCrLf(list), "a line of the list has no CR LF");
    return 0;
}
