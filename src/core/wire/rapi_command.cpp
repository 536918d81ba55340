#include "wire/rapi_command.h"

#include <array>
#include <cstdio>

namespace zvk::wire {
namespace {

struct CommandRow
{
    RapiCommand command;
    std::string_view name;
};

constexpr std::array kCommands = {
    CommandRow{RapiCommand::CreateFile, "CeCreateFile"},
    CommandRow{RapiCommand::ReadFile, "CeReadFile"},
    CommandRow{RapiCommand::WriteFile, "CeWriteFile"},
    CommandRow{RapiCommand::CloseHandle, "CeCloseHandle"},
    CommandRow{RapiCommand::FindAllFiles, "CeFindAllFiles"},
    CommandRow{RapiCommand::CreateProcess, "CeCreateProcess"},
    CommandRow{RapiCommand::DeleteFile, "CeDeleteFile"},
    CommandRow{RapiCommand::GetFileSize, "CeGetFileSize"},
};

std::string Hex(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

} // namespace

std::string_view CommandName(RapiCommand command)
{
    for (const CommandRow& row : kCommands)
        if (row.command == command)
            return row.name;
    return "an unknown call";
}

std::string RequestName(RapiCommand command)
{
    return std::string(CommandName(command)) + " request";
}

std::string ReplyName(RapiCommand command)
{
    return std::string(CommandName(command)) + " reply";
}

Result<RapiCommand> RequestCommand(std::string_view payload)
{
    WireReader reader(payload.substr(0, 4), "request");
    const std::uint32_t word = reader.U32("command");
    if (!reader.Ok())
        return reader.Finish(RapiCommand{});
    for (const CommandRow& row : kCommands)
        if (static_cast<std::uint32_t>(row.command) == word)
            return row.command;
    return Fail("request: command " + Hex(word) + " is no call this handheld serves");
}

void ReadCommand(WireReader& reader, RapiCommand command)
{
    const std::uint32_t word = reader.U32("command");
    if (reader.Ok() && word != static_cast<std::uint32_t>(command))
        reader.Refuse("command", "is " + Hex(word) + ", not " + std::string(CommandName(command)));
}

} // namespace zvk::wire
