#include "reports/header_values.h"

namespace zvk {
namespace {

constexpr std::size_t kDateRecordValueColumn = 10;
constexpr std::size_t kFirstValueColumn = 2;
constexpr std::size_t kSecondValueColumn = 22;

// Records "0B" to "0l" in order: the k-th holds values 2k + 2 and 2k + 3.
constexpr std::array<std::string_view, 14> kPairRecords = {
    "0B", "0C", "0D", "0E", "0F", "0G", "0e", "0f", "0g", "0h", "0i", "0j", "0k", "0l"};

} // namespace

std::array<HeaderValuePlace, 2> HeaderValuesOf(std::string_view recordCode)
{
    // Item lines, by far the most, hold no header value.
    if (recordCode.empty() || recordCode[0] != '0')
        return {};
    if (recordCode == "0A")
        return {{{1, kDateRecordValueColumn}, {}}};
    for (std::size_t k = 0; k < kPairRecords.size(); ++k) {
        if (kPairRecords[k] == recordCode) {
            const int first = static_cast<int>(2 * k + 2);
            return {{{first, kFirstValueColumn}, {first + 1, kSecondValueColumn}}};
        }
    }
    return {};
}

} // namespace zvk
