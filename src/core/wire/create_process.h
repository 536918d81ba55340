#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "system/result.h"

namespace zvk::wire {

// CeCreateProcess: starts a program on the handheld. Of the call's arguments only the
// program, its command line and the creation flags travel; the pointers the desktop
// always passes as null go as zero words.
struct CreateProcessRequest
{
    std::optional<std::u16string> application; // "\ZVK_CE\Slave.exe"
    std::optional<std::u16string> commandLine; // nullopt: a null pointer
    std::uint32_t creationFlags = 0;

    friend bool operator==(const CreateProcessRequest&, const CreateProcessRequest&) = default;
};

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

std::string EncodeCreateProcessRequest(const CreateProcessRequest& request);
Result<CreateProcessRequest> DecodeCreateProcessRequest(std::string_view payload);
std::string EncodeCreateProcessReply(const CreateProcessReply& reply);
Result<CreateProcessReply> DecodeCreateProcessReply(std::string_view payload);

} // namespace zvk::wire
