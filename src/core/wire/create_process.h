#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "wire/message_fields.h"

namespace zvk::wire {

// CeCreateProcess: starts a program on the handheld. Of the call's arguments only the
// program, its command line and the creation flags travel; the pointers and the inherit
// flag, which the desktop always passes as null or false, go as zero words.
struct CreateProcessRequest
{
    std::optional<std::u16string> application; // "\ZVK_CE\Slave.exe"
    std::optional<std::u16string> commandLine; // nullopt: a null pointer
    std::uint32_t creationFlags = 0;

    friend bool operator==(const CreateProcessRequest&, const CreateProcessRequest&) = default;
};

template <class Fields> void Transcribe(Fields& fields, CreateProcessRequest& request)
{
    fields.Request(RapiCommand::CreateProcess);
    fields.String("application", request.application);
    fields.String("command line", request.commandLine);
    fields.Zero("process attributes");
    fields.Zero("thread attributes");
    fields.Zero("inherit handles");
    fields.U32("creation flags", request.creationFlags);
    fields.Zero("environment");
    fields.Zero("current directory");
    fields.Zero("startup information");
}

struct CreateProcessReply
{
    std::uint32_t lastError = 0;
    bool succeeded = false;
    // The process information: its handles (for the desktop to close) and ids.
    std::uint32_t process = 0;
    std::uint32_t thread = 0;
    std::uint32_t processId = 0;
    std::uint32_t threadId = 0;

    friend bool operator==(const CreateProcessReply&, const CreateProcessReply&) = default;
};

template <class Fields> void Transcribe(Fields& fields, CreateProcessReply& reply)
{
    fields.Reply(RapiCommand::CreateProcess);
    fields.U32("last error", reply.lastError);
    fields.Bool("result", reply.succeeded);
    fields.U32("process handle", reply.process);
    fields.U32("thread handle", reply.thread);
    fields.U32("process id", reply.processId);
    fields.U32("thread id", reply.threadId);
}

} // namespace zvk::wire
