#pragma once

namespace zvk {

// The step a transfer has come to, for the status line.
enum class TransferStage
{
    SendingConfiguration,
    PreparingExport,
    Receiving,
    // Not a stage: how many there are. Each has its words, and a new one goes above.
    Count,
};

// How a transfer ended, or why it did not start, where the outcome alone says it all.
// Each window words it in its own language.
enum class TransferOutcome
{
    // Another transfer holds the handheld: no failure, only no transfer.
    HandheldBusy,
    // The link did not come up within the watchdog's time.
    HandheldNotConnected,
    // The handheld program, which takes a sent file in or exports the lists, did not start.
    HandheldProgramNotStarted,
    // The file chosen as the configuration is a data list: it would replace the handheld's.
    ConfigurationIsDataList,
    // The file did not arrive whole on the handheld.
    SendFailed,
    ConfigurationSent,
    ListSent,
    // The handheld could not be searched for its exported lists.
    SearchFailed,
    // The handheld exported no list.
    NothingToReceive,
    // Every list was received (and converted where asked).
    Received,
    // Not an outcome: how many there are. Each has its words, and a new one goes above.
    Count,
};

// What a transfer could not have, for the failure told with it.
enum class Unavailable
{
    // The handheld cannot be opened or claimed.
    Handheld,
    // The receive folder cannot be made.
    ReceiveFolder,
    // The configuration to send cannot be read.
    Configuration,
    // The list to send cannot be read.
    ListToSend,
    // Not a thing a transfer needs: how many there are. Each has its heading, and a new one
    // goes above.
    Count,
};

} // namespace zvk
