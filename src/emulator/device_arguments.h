#pragma once

#include <string>
#include <vector>

#include "emulator/wire_device.h"
#include "system/result.h"

namespace zvk::emulator {

// The device emulator's command line, after the program's name, as UTF-8:
//   --folder DIR --device-ip IP [--host IP] [--host-port P] [--trigger-port P]
//   [--name N] [--model M] [--os MAJOR.MINOR]
//   [--password-on-desktop PW | --password-on-handheld] [--fault NAME[=N]]...
// A failure names the argument that is wrong, in one line.
Result<WireDeviceOptions> ParseDeviceArguments(const std::vector<std::string>& arguments);

} // namespace zvk::emulator
