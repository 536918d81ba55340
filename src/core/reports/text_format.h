#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace zvk {

// One value for FormatText: a text, a signed or unsigned integer, or a decimal.
class FormatArgument
{
public:
    FormatArgument(std::string_view text);
    FormatArgument(const std::string& text);
    FormatArgument(const char* text);
    FormatArgument(int value);
    FormatArgument(long value);
    FormatArgument(long long value);
    FormatArgument(std::uint32_t value);
    FormatArgument(std::uint64_t value);
    FormatArgument(double value);

    const std::variant<std::string_view, long long, std::uint64_t, double>& Value() const;

private:
    std::variant<std::string_view, long long, std::uint64_t, double> m_value;
};

// The line layouts of reports are printf formats, and the printed documents must
// look the same on every desktop: this renders the few conversions they use
// ("%s", "%-s", "%3s", "%d", "%4d", "%02d", "%5lu", "%5.2f", "%10.3f" and the like)
// without the process locale, so a decimal point never turns into a comma.
// A conversion whose argument is of another kind is a programming error.
std::string FormatText(std::string_view format, std::initializer_list<FormatArgument> arguments);
// The same, appended to `out`: for lines written by the hundred thousand.
void AppendFormatted(std::string& out, std::string_view format,
                     std::initializer_list<FormatArgument> arguments);

} // namespace zvk
