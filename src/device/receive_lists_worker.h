#pragma once

#include <chrono>
#include <functional>
#include <stop_token>

#include "device/remote_api.h"
#include "device/window_port.h"

namespace zvk {

struct ReceiveSettings
{
    // Asked anew after each list: whether its semicolon text is to be written.
    std::function<bool()> convertRequested = [] { return false; };
    // How often the handheld is asked whether its export is ready.
    std::chrono::milliseconds markerPollInterval{1000};
};

// Asks the handheld program to export its lists, waits for its marker, then moves every
// list into the window's receive folder: each is written under a temporary name, renamed
// to its handheld name once it is complete on disk, and only then deleted on the
// handheld. A list that cannot be read or written stays on the handheld and is named in
// the closing message. A stop request (the window is closing) ends the wait for the
// marker and the copy at the next chunk, leaving no partial file behind.
// Returns false when a list found on the handheld was not received.
bool ReceiveListsWorker(WindowPort& window, RemoteApi& handheld, const ReceiveSettings& settings,
                        std::stop_token stop);

} // namespace zvk
