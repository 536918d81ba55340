#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace zvk {

// Where one header value stands in its record.
struct HeaderValuePlace
{
    int number = 0; // 1 to 29; 0 for a place that the record does not have
    std::size_t column = 0;
};

// The header values of a record: value 1 of "0A", two values of "0B" to "0l"
// (in the handheld's order "0B" ... "0G", "0e" ... "0l"), none of any other record.
std::array<HeaderValuePlace, 2> HeaderValuesOf(std::string_view recordCode);

} // namespace zvk
