#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/handheld_selection.h"
#include "device/remote_api.h"
#include "link/handheld_connection.h"
#include "link/password_prompt.h"
#include "net/network_interfaces.h"
#include "system/result.h"

namespace zvk {

// What the program's own network link needs of the process, as its main gives it.
struct NetworkLinkPlace
{
    // ZVK_LINK as main read it: the link named instead of found; empty when unset.
    std::string variable;
    // This computer's interfaces, asked afresh whenever a transfer looks for the link
    // (the handheld may have been put in its cradle meanwhile): main's system query.
    std::function<Result<std::vector<NetworkInterface>>()> interfaces;
    // Where a frame that surprises the desktop is kept (the user's cache folder); none: not kept.
    std::filesystem::path captureFolder;
    // The password of a handheld that wants one typed on the desktop; none: refused.
    PasswordPrompt* passwords = nullptr;
};

// Which handheld a transfer talks to.
enum class HandheldRoute
{
    Emulated,    // a folder plays the handheld
    RapiLibrary, // the device connection software's rapi.dll (Windows), else the own link found
    NamedLink,   // the own network link, where ZVK_LINK or "AdresySpojenia" says
    FoundLink,   // the own network link, on the handheld's RNDIS interface
};

// Chooses the handheld of each transfer and opens it. It lives as long as the window or
// the command, so that the network link's connection to the handheld stays up between
// transfers, as the handheld expects of its desktop.
//
// A folder named for an emulated handheld (ZVK_HANDHELD, "Zariadenie") is always used.
// Else a named link is. On Windows, rapi.dll is used where it loads, unless
// "VlastneSpojenie" chooses the own link, which also serves where the dll is missing.
// Elsewhere the own link is used when this computer has a handheld's RNDIS interface, and
// the emulated handheld in handheld/ of the working folder when it has none.
class HandheldChooser
{
public:
    HandheldChooser(NetworkLinkPlace network, Clock& clock);

    HandheldRoute Route(const HandheldPlace& place) const;
    // The folder of the emulated handheld a transfer in `place` would use; none for a real one.
    std::optional<std::filesystem::path> EmulatedFolder(const HandheldPlace& place) const;

    // The handheld for one transfer. A failure says why none can be had.
    Result<std::unique_ptr<RemoteApi>> Open(const HandheldPlace& place);

    // The network link's connection for `place` (a named or found link), for asking it
    // directly where each step's failure is wanted; a failure when the link is malformed.
    Result<std::shared_ptr<HandheldConnection>> Connection(const HandheldPlace& place);

    // The handheld that last connected over the network link; none before.
    std::optional<wire::DeviceInfo> LinkedHandheld() const;

private:
    Result<std::unique_ptr<RemoteApi>> OpenOwnLink(const HandheldPlace& place);

    const NetworkLinkPlace m_network;
    Clock& m_clock;
    mutable std::mutex m_mutex;
    // The connection, and the link text or "" (found) it was made for.
    std::shared_ptr<HandheldConnection> m_connection;
    std::optional<std::string> m_connectionFor;
};

} // namespace zvk
