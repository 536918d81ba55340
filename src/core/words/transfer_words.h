#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "device/transfer_outcome.h"

// The program's own words for its transfers, in its language (UTF-8 here; the window shows
// them as they are and zvk prints them): the window and zvk tell a stage, an outcome or what a
// transfer could not have in the same words, from one table.
namespace zvk::words {

inline constexpr std::string_view kCaptionError = "Chyba!";
inline constexpr std::string_view kCaptionNotice = "Oznam";
inline constexpr std::string_view kCaptionWarning = "Pozor!";

// The status line while no transfer runs.
inline constexpr std::string_view kStatusIdle = "Stav:";

// A message as the window's message box shows it.
struct Message
{
    std::string_view caption;
    std::string text;
    // The box shows the error icon, not the information icon.
    bool errorIcon = false;
};

// How a transfer ended: a transfer done is a notice, anything else an error or a warning.
Message OutcomeMessage(TransferOutcome outcome);
// The refusal of a receive folder in the handheld's own, where the lists would be deleted
// as they arrive, naming both folders.
Message ReceiveFolderInHandheldMessage(const std::filesystem::path& receiveFolder,
                                       const std::filesystem::path& handheldFolder);
// The status line of a transfer's step.
std::string_view StageStatus(TransferStage stage);
// What could not be had, heading the failure's file and reason.
std::string_view UnavailableHeading(Unavailable what);

} // namespace zvk::words
