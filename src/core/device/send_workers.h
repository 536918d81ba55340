#pragma once

#include <filesystem>

#include "device/remote_api.h"
#include "device/transfer_port.h"

namespace zvk {

// Sends the configuration file `configuration` to the handheld as its ZVK.INI and
// starts the handheld program with "k". Returns true when the file arrived whole.
bool SendConfigurationWorker(TransferPort& port, RemoteApi& handheld,
                             const std::filesystem::path& configuration);

// Asks the port for a data list (starting in `receiveFolder`), sends it to the handheld's
// import folder under its own name and starts the handheld program with "e". Returns false
// only when a chosen list was not sent; a cancelled question sends nothing and is no failure.
bool SendListWorker(TransferPort& port, RemoteApi& handheld,
                    const std::filesystem::path& receiveFolder);

} // namespace zvk
