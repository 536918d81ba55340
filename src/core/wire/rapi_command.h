#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "system/result.h"
#include "wire/wire_reader.h"

namespace zvk::wire {

// The Remote API calls the desktop makes, by the command number that opens a request's
// payload in the dialect of Windows Mobile 5 and later handhelds.
enum class RapiCommand : std::uint32_t
{
    CreateFile = 0x16,
    ReadFile = 0x17,
    WriteFile = 0x18,
    CloseHandle = 0x19,
    FindAllFiles = 0x1A,
    CreateProcess = 0x2A,
    DeleteFile = 0x2D,
    GetFileSize = 0x2E,
};

// "CeReadFile" and so on, for messages.
std::string_view CommandName(RapiCommand command);
// "CeReadFile request", "CeReadFile reply": a message in failures.
std::string RequestName(RapiCommand command);
std::string ReplyName(RapiCommand command);

// The call a request payload asks for, so that the handheld's side knows which request
// to decode; a failure for a payload too short or a command it does not serve.
Result<RapiCommand> RequestCommand(std::string_view payload);

// Reads a request's command word and refuses any other than `command`.
void ReadCommand(WireReader& reader, RapiCommand command);

} // namespace zvk::wire
