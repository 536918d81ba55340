#include "wire/create_process.h"

#include <array>

#include "wire/rapi_command.h"
#include "wire/wire_reader.h"
#include "wire/wire_writer.h"

namespace zvk::wire {
namespace {

// The words after the two strings, in the call's order; the pointers and the inherit flag
// are always null or false from the desktop.
constexpr std::array<std::string_view, 7> kWordNames = {
    "process attributes", "thread attributes", "inherit handles",     "creation flags",
    "environment",        "current directory", "startup information",
};
constexpr std::size_t kCreationFlagsWord = 3;

} // namespace

std::string EncodeCreateProcessRequest(const CreateProcessRequest& request)
{
    WireWriter writer = RequestWriter(RapiCommand::CreateProcess);
    writer.String(request.application).String(request.commandLine);
    for (std::size_t i = 0; i < kWordNames.size(); ++i)
        writer.U32(i == kCreationFlagsWord ? request.creationFlags : 0);
    return writer.Message();
}

Result<CreateProcessRequest> DecodeCreateProcessRequest(std::string_view payload)
{
    WireReader reader(payload, RequestName(RapiCommand::CreateProcess));
    ReadCommand(reader, RapiCommand::CreateProcess);
    CreateProcessRequest request;
    request.application = reader.String("application");
    request.commandLine = reader.String("command line");
    for (std::size_t i = 0; i < kWordNames.size(); ++i) {
        const std::uint32_t word = reader.U32(kWordNames[i]);
        if (i == kCreationFlagsWord)
            request.creationFlags = word;
    }
    return reader.Finish(std::move(request));
}

std::string EncodeCreateProcessReply(const CreateProcessReply& reply)
{
    return WireWriter()
        .U32(reply.lastError)
        .U32(reply.succeeded ? 1 : 0)
        .U32(reply.process)
        .U32(reply.thread)
        .U32(reply.processId)
        .U32(reply.threadId)
        .Message();
}

Result<CreateProcessReply> DecodeCreateProcessReply(std::string_view payload)
{
    WireReader reader(payload, ReplyName(RapiCommand::CreateProcess));
    CreateProcessReply reply;
    reply.lastError = reader.U32("last error");
    reply.succeeded = reader.U32("result") != 0;
    reply.process = reader.U32("process handle");
    reply.thread = reader.U32("thread handle");
    reply.processId = reader.U32("process id");
    reply.threadId = reader.U32("thread id");
    return reader.Finish(reply);
}

} // namespace zvk::wire
