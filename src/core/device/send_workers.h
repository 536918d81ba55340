#pragma once

#include "device/remote_api.h"
#include "device/window_port.h"

namespace zvk {

// Sends the configuration file the port holds to the handheld as its ZVK.INI and
// starts the handheld program with "k". Returns true when the file arrived whole.
bool SendConfigurationWorker(TransferPort& port, RemoteApi& handheld);

// Asks the port for a data list, sends it to the handheld's import folder under its
// own name and starts the handheld program with "e". Returns false only when a chosen
// list was not sent; a cancelled question sends nothing and is no failure.
bool SendListWorker(TransferPort& port, RemoteApi& handheld);

} // namespace zvk
