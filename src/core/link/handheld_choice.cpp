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

// No query of the interfaces is a computer without any.
Result<std::vector<NetworkInterface>> Interfaces(const NetworkLinkPlace& network)
{
    return network.interfaces ? network.interfaces() : std::vector<NetworkInterface>();
}

Result<NamedLink> FoundLink(const NetworkLinkPlace& network)
{
    Result<std::vector<NetworkInterface>> interfaces = Interfaces(network);
    if (!interfaces)
        return Unexpected(std::move(interfaces).error());
    Result<HandheldLinkInterface> found = FindHandheldLink(*interfaces);
    if (!found)
        return Unexpected(std::move(found).error());
    return LinkOfInterface(*found);
}

#ifndef _WIN32
bool HasRndisInterface(const NetworkLinkPlace& network)
{
    const Result<std::vector<NetworkInterface>> interfaces = Interfaces(network);
    return interfaces && std::any_of(interfaces->begin(), interfaces->end(), IsRndisInterface);
}
#endif

// A session of the chooser's connection, kept alive by each transfer that uses it.
class SharedSessionSource final : public SessionSource
{
public:
    explicit SharedSessionSource(std::shared_ptr<HandheldConnection> connection)
        : m_connection(std::move(connection))
    {}

    Result<TcpConnection> OpenSession(std::stop_token stop) override
    {
        return m_connection->OpenSession(stop);
    }

    std::string ClaimName() const override
    {
        return m_connection->ClaimName();
    }

private:
    std::shared_ptr<HandheldConnection> m_connection;
};

} // namespace

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
        std::make_unique<SharedSessionSource>(std::move(connection).value()),
        m_network.captureFolder));
}

Result<std::shared_ptr<HandheldConnection>> HandheldChooser::Connection(const HandheldPlace& place)
{
    const std::string named = NamedLinkOf(m_network, place);
    HandheldConnection::Options options;
    if (named.empty()) {
        options.link = [network = m_network] { return FoundLink(network); };
    } else {
        Result<NamedLink> link = ParseNamedLink(named);
        if (!link)
            return Unexpected(std::move(link).error());
        options = NamedLinkOptions(*link);
    }
    options.passwords = m_network.passwords;
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
