#include "reports/text_format.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>

namespace zvk {
namespace {

struct Conversion
{
    bool leftAligned = false;
    bool zeroPadded = false;
    std::size_t width = 0;
    int precision = 6;
    char kind = 's';
};

std::size_t ReadNumber(std::string_view format, std::size_t& i)
{
    std::size_t number = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9')
        number = number * 10 + static_cast<std::size_t>(format[i++] - '0');
    return number;
}

// Reads the conversion after a "%" at `i` and moves `i` past it.
Conversion ReadConversion(std::string_view format, std::size_t& i)
{
    Conversion conversion;
    for (; i < format.size() && (format[i] == '-' || format[i] == '0'); ++i)
        (format[i] == '-' ? conversion.leftAligned : conversion.zeroPadded) = true;
    conversion.width = ReadNumber(format, i);
    if (i < format.size() && format[i] == '.')
        conversion.precision = static_cast<int>(ReadNumber(format, ++i));
    if (i < format.size() && format[i] == 'l')
        ++i;
    assert(i < format.size() && "a conversion ends the format");
    conversion.kind = format[i++];
    return conversion;
}

// Room for any number the layouts print: a double in fixed notation has at most
// 309 integer digits.
using NumberBuffer = std::array<char, 400>;

template <typename T> std::string_view Digits(NumberBuffer& buffer, T value, int precision = -1)
{
    std::to_chars_result result{};
    if constexpr (std::is_floating_point_v<T>)
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                               std::chars_format::fixed, precision);
    else
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    assert(result.ec == std::errc());
    return {buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())};
}

std::string_view Rendered(const Conversion& conversion, const FormatArgument& argument,
                          NumberBuffer& buffer)
{
    const auto& value = argument.Value();
    switch (conversion.kind) {
    case 's':
        assert(std::holds_alternative<std::string_view>(value));
        return std::get<std::string_view>(value);
    case 'd':
        assert(std::holds_alternative<long long>(value));
        return Digits(buffer, std::get<long long>(value));
    case 'u':
        assert(std::holds_alternative<std::uint64_t>(value));
        return Digits(buffer, std::get<std::uint64_t>(value));
    case 'f':
        assert(std::holds_alternative<double>(value));
        return Digits(buffer, std::get<double>(value), conversion.precision);
    default:
        assert(false && "a conversion that report layouts do not use");
        return {};
    }
}

void AppendPadded(std::string& out, const Conversion& conversion, std::string_view text)
{
    const std::size_t padding = text.size() < conversion.width ? conversion.width - text.size() : 0;
    if (conversion.leftAligned) {
        out += text;
        out.append(padding, ' ');
    } else if (conversion.zeroPadded && conversion.kind != 's') {
        const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
        out += text.substr(0, sign);
        out.append(padding, '0');
        out += text.substr(sign);
    } else {
        out.append(padding, ' ');
        out += text;
    }
}

} // namespace

FormatArgument::FormatArgument(std::string_view text) : m_value(text) {}
FormatArgument::FormatArgument(const std::string& text) : m_value(std::string_view(text)) {}
FormatArgument::FormatArgument(const char* text) : m_value(std::string_view(text)) {}
FormatArgument::FormatArgument(int value) : m_value(static_cast<long long>(value)) {}
FormatArgument::FormatArgument(long value) : m_value(static_cast<long long>(value)) {}
FormatArgument::FormatArgument(long long value) : m_value(value) {}
FormatArgument::FormatArgument(std::uint32_t value) : m_value(std::uint64_t{value}) {}
FormatArgument::FormatArgument(std::uint64_t value) : m_value(value) {}
FormatArgument::FormatArgument(double value) : m_value(value) {}

const std::variant<std::string_view, long long, std::uint64_t, double>&
FormatArgument::Value() const
{
    return m_value;
}

void AppendFormatted(std::string& out, std::string_view format,
                     std::initializer_list<FormatArgument> arguments)
{
    NumberBuffer buffer;
    auto argument = arguments.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        const std::size_t percent = std::min(format.find('%', i), format.size());
        out.append(format, i, percent - i);
        if (percent == format.size())
            break;
        i = percent + 1;
        const Conversion conversion = ReadConversion(format, i);
        assert(argument != arguments.end() && "one argument per conversion");
        AppendPadded(out, conversion, Rendered(conversion, *argument++, buffer));
    }
    assert(argument == arguments.end() && "one conversion per argument");
}

std::string FormatText(std::string_view format, std::initializer_list<FormatArgument> arguments)
{
    std::string out;
    AppendFormatted(out, format, arguments);
    return out;
}

} // namespace zvk
