#include "link/handheld_choice.h"

#include <algorithm>

#include "link/wire_remote_api.h"
#include "net/handheld_link.h"
#include "net/named_link.h"

#ifdef _WIN32
#include "device/rapi_remote_api.h"
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

// The named link: ZVK_LINK before the setting.
std::string NamedLinkOf(const NetworkLinkPlace& network, const HandheldPlace& place)
{
    return network.variable.empty() ? place.configuredLink : network.variable;
}

Result<NamedLink> FoundLink(const NetworkLinkPlace& network)
{
    if (!network.interfaces)
        return Fail("no handheld's network link (RNDIS): is the handheld in its cradle?");
    Result<std::vector<NetworkInterface>> interfaces = network.interfaces();
    if (!interfaces)
        return Unexpected(std::move(interfaces).error());
    Result<HandheldLinkInterface> found = FindHandheldLink(*interfaces);
    if (!found)
        return Unexpected(std::move(found).error());
    return LinkOfInterface(*found);
}

// A named link is its own handheld; a found one is the desktop's one handheld.
std::string LinkClaimName(const std::string& named)
{
    const Result<NamedLink> link = ParseNamedLink(named);
    return named.empty() || !link ? std::string() : ClaimNameOf(*link);
}

#ifndef _WIN32
bool HasRndisInterface(const NetworkLinkPlace& network)
{
    if (!network.interfaces)
        return false;
    const Result<std::vector<NetworkInterface>> interfaces = network.interfaces();
    if (!interfaces)
        return false;
    for (const NetworkInterface& each : *interfaces)
        if (IsRndisInterface(each))
            return true;
    return false;
}
#endif

// A session of the chooser's connection, kept alive by each transfer that uses it.
class SharedSessionSource final : public SessionSource
{
public:
    SharedSessionSource(std::shared_ptr<HandheldConnection> connection, std::string claimName)
        : m_connection(std::move(connection)), m_claimName(std::move(claimName))
    {}

    Result<TcpConnection> OpenSession(std::stop_token stop) override
    {
        return m_connection->OpenSession(stop);
    }

    std::string ClaimName() const override
    {
        return m_claimName;
    }

private:
    std::shared_ptr<HandheldConnection> m_connection;
    const std::string m_claimName;
};

} // namespace

std::string ClaimNameOf(const NamedLink& link)
{
    std::string name = EndpointText(link.desktop);
    std::replace(name.begin(), name.end(), ':', '-');
    return name;
}

HandheldChooser::HandheldChooser(NetworkLinkPlace network, Clock& clock)
    : m_network(std::move(network)), m_clock(clock)
{}

HandheldRoute HandheldChooser::Route(const HandheldPlace& place) const
{
    if (!NamedHandheldFolder(place).empty())
        return HandheldRoute::Emulated;
    if (!NamedLinkOf(m_network, place).empty())
        return HandheldRoute::NamedLink;
#ifdef _WIN32
    return place.ownLinkChosen ? HandheldRoute::FoundLink : HandheldRoute::RapiLibrary;
#else
    return HasRndisInterface(m_network) ? HandheldRoute::FoundLink : HandheldRoute::Emulated;
#endif
}

std::optional<fs::path> HandheldChooser::EmulatedFolder(const HandheldPlace& place) const
{
    if (Route(place) != HandheldRoute::Emulated)
        return std::nullopt;
    return ChooseHandheldFolder(place);
}

Result<std::unique_ptr<RemoteApi>> HandheldChooser::Open(const HandheldPlace& place)
{
    switch (Route(place)) {
    case HandheldRoute::Emulated:
        return OpenEmulatedHandheld(ChooseHandheldFolder(place), place.sampleLists, m_clock);
    case HandheldRoute::RapiLibrary:
#ifdef _WIN32
        if (Result<std::unique_ptr<RemoteApi>> rapi = RapiRemoteApi::Open())
            return rapi;
#endif
        return OpenOwnLink(place);
    case HandheldRoute::NamedLink:
    case HandheldRoute::FoundLink:
        return OpenOwnLink(place);
    }
    return Fail("no handheld");
}

Result<std::unique_ptr<RemoteApi>> HandheldChooser::OpenOwnLink(const HandheldPlace& place)
{
    Result<std::shared_ptr<HandheldConnection>> connection = Connection(place);
    if (!connection)
        return Unexpected(std::move(connection).error());
    return std::unique_ptr<RemoteApi>(std::make_unique<WireRemoteApi>(
        std::make_unique<SharedSessionSource>(std::move(connection).value(),
                                              LinkClaimName(NamedLinkOf(m_network, place))),
        m_network.captureFolder));
}

Result<std::shared_ptr<HandheldConnection>> HandheldChooser::Connection(const HandheldPlace& place)
{
    const std::string named = NamedLinkOf(m_network, place);
    HandheldConnection::Options options;
    options.passwords = m_network.passwords;
    if (named.empty()) {
        options.link = [network = m_network] { return FoundLink(network); };
    } else {
        Result<NamedLink> link = ParseNamedLink(named);
        if (!link)
            return Unexpected(std::move(link).error());
        options.link = [link = *link]() -> Result<NamedLink> { return link; };
    }
    const std::lock_guard lock(m_mutex);
    if (!m_connection || m_connectionFor != named) {
        m_connection = std::make_shared<HandheldConnection>(std::move(options));
        m_connectionFor = named;
    }
    return m_connection;
}

std::optional<wire::DeviceInfo> HandheldChooser::LinkedHandheld() const
{
    const std::lock_guard lock(m_mutex);
    return m_connection ? m_connection->Handheld() : std::nullopt;
}

} // namespace zvk
