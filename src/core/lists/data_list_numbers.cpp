#include "lists/data_list.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <type_traits>

// Number reading shared by every reader of data lists and measurement texts.
// It never consults the process locale: a German or Slovak desktop must not
// turn the decimal point of a list into a comma.
namespace zvk {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view SkipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.substr(i);
}

std::size_t CountDigits(std::string_view text, std::size_t from)
{
    std::size_t n = 0;
    while (from + n < text.size() && IsDigit(text[from + n]))
        ++n;
    return n;
}

std::size_t SignLength(std::string_view text)
{
    return !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
}

bool IsNegative(std::string_view prefix)
{
    return !prefix.empty() && prefix[0] == '-';
}

// Exponent part at `from` ("e", optional sign, digits), or 0 when there is none.
std::size_t ExponentLength(std::string_view text, std::size_t from)
{
    if (from >= text.size() || (text[from] != 'e' && text[from] != 'E'))
        return 0;
    const std::string_view exponent = text.substr(from + 1);
    const std::size_t sign = SignLength(exponent);
    const std::size_t digits = CountDigits(exponent, sign);
    return digits == 0 ? 0 : 1 + sign + digits;
}

// A magnitude that from_chars cannot hold: too small reads as 0, too large as the maximum.
template <typename T> T OutOfRange(std::string_view unsignedPrefix)
{
    const std::size_t point = unsignedPrefix.find_first_of(".eE");
    const std::string_view integerPart = unsignedPrefix.substr(0, point);
    const bool negativeExponent = unsignedPrefix.find("e-") != std::string_view::npos ||
                                  unsignedPrefix.find("E-") != std::string_view::npos;
    const bool tiny =
        negativeExponent || integerPart.find_first_not_of('0') == std::string_view::npos;
    return tiny ? T(0) : std::numeric_limits<T>::max();
}

template <typename T> T DecimalValue(std::string_view prefix)
{
    if (prefix.empty())
        return T(0);
    // from_chars takes no "+" sign and reads the sign-less magnitude here.
    const std::string_view magnitude = prefix.substr(SignLength(prefix));
    T value = T(0);
    const auto result =
        std::from_chars(magnitude.data(), magnitude.data() + magnitude.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = OutOfRange<T>(magnitude);
    return IsNegative(prefix) ? -value : value;
}

// A decimal number at the start of a text, read once: its prefix and, for the
// quick reading below, its digits as a whole number.
struct DecimalScan
{
    std::string_view prefix; // empty when the text does not begin with a number
    std::uint64_t digits = 0;
    std::size_t digitCount = 0;
    std::size_t fractionDigits = 0;
    bool exponent = false;
};

// Digits beyond these are counted but not added up.
constexpr std::size_t kMostDigits = 19; // what std::uint64_t holds in any case

DecimalScan ScanDecimal(std::string_view text)
{
    text = SkipBlanks(text);
    DecimalScan scan;
    std::size_t end = SignLength(text);
    bool afterPoint = false;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (IsDigit(c)) {
            if (++scan.digitCount <= kMostDigits)
                scan.digits = scan.digits * 10 + static_cast<std::uint64_t>(c - '0');
            scan.fractionDigits += afterPoint ? 1 : 0;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (scan.digitCount == 0)
        return {};
    const std::size_t exponent = ExponentLength(text, end);
    scan.exponent = exponent > 0;
    scan.prefix = text.substr(0, end + exponent);
    return scan;
}

// Lists hold numbers such as " 12.345". When their digits fit into the significand
// exactly and the power of ten is exact as well, one division of two exact values
// rounds as from_chars does, so both give the same value; from_chars reads the rest
// (an exponent, too many digits).
template <typename T> T ReadDecimalAs(std::string_view text)
{
    constexpr std::uint64_t kMostExactDigits = std::uint64_t{1} << std::numeric_limits<T>::digits;
    constexpr std::size_t kMostExactPower = std::is_same_v<T, float> ? 10 : 22;
    const DecimalScan scan = ScanDecimal(text);
    if (scan.exponent || scan.digits > kMostExactDigits || scan.digitCount > kMostDigits ||
        scan.fractionDigits > kMostExactPower)
        return DecimalValue<T>(scan.prefix);
    T power = T(1);
    for (std::size_t k = 0; k < scan.fractionDigits; ++k)
        power *= T(10);
    const T value = static_cast<T>(scan.digits) / power;
    return IsNegative(scan.prefix) ? -value : value;
}

} // namespace

std::string_view DecimalPrefix(std::string_view text)
{
    return ScanDecimal(text).prefix;
}

std::string_view IntegerPrefix(std::string_view text)
{
    text = SkipBlanks(text);
    const std::size_t sign = SignLength(text);
    const std::size_t digits = CountDigits(text, sign);
    return digits == 0 ? std::string_view() : text.substr(0, sign + digits);
}

double ReadDecimal(std::string_view text)
{
    return ReadDecimalAs<double>(text);
}

float ReadDecimalAsFloat(std::string_view text)
{
    return ReadDecimalAs<float>(text);
}

std::int64_t ReadInteger(std::string_view text)
{
    const std::string_view prefix = IntegerPrefix(text);
    const bool negative = IsNegative(prefix);
    std::int64_t value = 0;
    for (std::size_t i = SignLength(prefix); i < prefix.size(); ++i) {
        const int digit = prefix[i] - '0';
        if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10)
            return negative ? std::numeric_limits<std::int64_t>::min()
                            : std::numeric_limits<std::int64_t>::max();
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace zvk
