#pragma once

#include <filesystem>

namespace zvk {

// What a transfer works with, given when it is asked for and kept until it ends: the
// window locks the controls that change them while a transfer runs, and a window that is
// closing could no longer tell them.
struct TransferInputs
{
    // Where lists are received, and where the list to send is looked for first.
    std::filesystem::path receiveFolder = {};
    // The configuration file sent to the handheld.
    std::filesystem::path configurationPath = {};
    // Whether each received list gets its semicolon text.
    bool convertReceivedLists = false;
    // The folder the program works in: an emulated handheld without a folder of its own
    // is handheld/ in it, looked for when the link opens.
    std::filesystem::path workingFolder = {};
};

} // namespace zvk
