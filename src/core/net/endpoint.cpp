#include "net/endpoint.h"

#include <charconv>
#include <optional>

namespace zvk {
namespace {

// A decimal number of at most `digits` digits and no greater than `largest`, taken from the
// front of `text`; a leading zero only as the whole number, so that "010" is not read as
// an octal ten by anyone who reads it after us.
std::optional<unsigned> TakeNumber(std::string_view& text, std::size_t digits, unsigned largest)
{
    std::size_t length = 0;
    while (length < text.size() && text[length] >= '0' && text[length] <= '9')
        ++length;
    if (length == 0 || length > digits || (length > 1 && text.front() == '0'))
        return std::nullopt;
    unsigned value = 0;
    std::from_chars(text.data(), text.data() + length, value);
    if (value > largest)
        return std::nullopt;
    text.remove_prefix(length);
    return value;
}

bool TakeChar(std::string_view& text, char expected)
{
    if (text.empty() || text.front() != expected)
        return false;
    text.remove_prefix(1);
    return true;
}

std::optional<Endpoint> EndpointOf(std::string_view text)
{
    Endpoint endpoint;
    for (std::size_t i = 0; i < endpoint.address.size(); ++i) {
        if (i > 0 && !TakeChar(text, '.'))
            return std::nullopt;
        const std::optional<unsigned> part = TakeNumber(text, 3, 255);
        if (!part)
            return std::nullopt;
        endpoint.address[i] = static_cast<std::uint8_t>(*part);
    }
    if (!TakeChar(text, ':'))
        return std::nullopt;
    const std::optional<unsigned> port = TakeNumber(text, 5, 65535);
    if (!port || !text.empty())
        return std::nullopt;
    endpoint.port = static_cast<std::uint16_t>(*port);
    return endpoint;
}

} // namespace

Result<Endpoint> ParseEndpoint(std::string_view text)
{
    if (const std::optional<Endpoint> endpoint = EndpointOf(text))
        return *endpoint;
    return Fail("not an IPv4 address and port (such as 169.254.2.1:990): " + std::string(text));
}

std::string EndpointText(const Endpoint& endpoint)
{
    const auto& a = endpoint.address;
    return std::to_string(a[0]) + '.' + std::to_string(a[1]) + '.' + std::to_string(a[2]) + '.' +
           std::to_string(a[3]) + ':' + std::to_string(endpoint.port);
}

} // namespace zvk
