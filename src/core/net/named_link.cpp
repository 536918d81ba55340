#include "net/named_link.h"

namespace zvk {
namespace {

Result<Endpoint> LinkEnd(std::string_view text, std::string_view end)
{
    Result<Endpoint> endpoint = ParseEndpoint(text);
    if (endpoint && endpoint->port == 0)
        return Fail(std::string(end) + " has port 0, which the handheld cannot be told");
    return endpoint;
}

} // namespace

Result<NamedLink> ParseNamedLink(std::string_view text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return Fail("not a link (desktop address:port,handheld address:trigger port, such as "
                    "169.254.2.2:990,169.254.2.1:5679): " +
                    std::string(text));
    Result<Endpoint> desktop = LinkEnd(text.substr(0, comma), "the desktop's end");
    if (!desktop)
        return Unexpected(desktop.error());
    Result<Endpoint> handheld = LinkEnd(text.substr(comma + 1), "the handheld's trigger");
    if (!handheld)
        return Unexpected(handheld.error());
    return NamedLink{*desktop, *handheld};
}

std::string NamedLinkText(const NamedLink& link)
{
    return EndpointText(link.desktop) + ',' + EndpointText(link.handheldTrigger);
}

} // namespace zvk
