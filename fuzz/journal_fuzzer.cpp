// The journal of receptions as a clerk's editor may leave it: any bytes are read without
// harm, every line is an entry or a damaged line, and an entry written again reads back
// as the same entry.

#include <algorithm>
#include <string>

#include "device/reception_journal.h"
#include "fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = zvk::fuzz::BytesOf(data, size);
    const zvk::JournalReading reading = zvk::ParseJournal(bytes);
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    zvk::fuzz::Require(reading.entries.size() + reading.damagedLines.size() <= lines,
                       "more entries and damaged lines than lines");
    for (const zvk::JournalEntry& entry : reading.entries) {
        const zvk::JournalReading again = zvk::ParseJournal(zvk::JournalLine(entry));
        zvk::fuzz::Require(again.damagedLines.empty() && again.entries.size() == 1 &&
                               again.entries.front() == entry,
                           "an entry written again reads back otherwise");
    }
    return 0;
}
