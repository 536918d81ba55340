#pragma once

#include <string>

#include "cli/command_context.h"
#include "device/handheld_selection.h"
#include "link/handheld_choice.h"

namespace zvk::cli {

// What the handheld said when the link was opened as a transfer opens it, for a report to
// support.
struct HandheldAnswer
{
    enum class Kind
    {
        Answered,
        // Another transfer holds it: it was not asked.
        Busy,
        // It did not answer within the link's watchdog.
        NotConnected,
        // No handheld could be had: `detail` says why (rapi.dll missing, ...).
        Unavailable,
    };

    Kind kind = Kind::Answered;
    std::string detail;
};

// Claims the handheld `chooser` opens for `place`, opens the link under the watchdog as a transfer
// does (TransferSession), transfers nothing, and closes the link again.
HandheldAnswer AskHandheld(HandheldChooser& chooser, const HandheldPlace& place,
                           const CommandContext& context);

} // namespace zvk::cli
