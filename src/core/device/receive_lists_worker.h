#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <stop_token>

#include "device/clock.h"
#include "device/remote_api.h"
#include "device/transfer_inputs.h"
#include "device/transfer_port.h"

namespace zvk {

struct ReceiveSettings
{
    // The window waits for the export as long as it is open. The zvk tool, which may run
    // unwatched, says what it waits for once the export takes `exportNoticeAfter`
    // (exportTakesLong) and gives up after `exportWaitLimit` (exportAbandoned): then
    // nothing is received and nothing is deleted on the handheld.
    std::optional<std::chrono::milliseconds> exportWaitLimit;
    std::chrono::milliseconds exportNoticeAfter{std::chrono::seconds(3)};
    std::function<void()> exportTakesLong;
    std::function<void()> exportAbandoned;
};

// Asks the handheld program to export its lists, waits for its marker (asking once a
// second of `clock`), then moves every
// list into the receive folder of `inputs` (made when it does not exist yet): each is
// written under a temporary name, renamed to its handheld name once it is complete on
// disk, and only then deleted on the handheld. A list that cannot be read or written,
// or whose name Windows cannot hold (WindowsNameFaultOf), stays on the handheld, and one
// whose semicolon text (written when `inputs` asks for it) cannot be written stays received;
// the closing message names each with its reason. A stop request (the window is
// closing) ends the wait for the marker and the copy at the next piece, leaving no
// partial file behind.
// Returns false when a list found on the handheld was not received or not converted.
bool ReceiveListsWorker(TransferPort& port, RemoteApi& handheld, const TransferInputs& inputs,
                        const ReceiveSettings& settings, Clock& clock, std::stop_token stop);

} // namespace zvk
