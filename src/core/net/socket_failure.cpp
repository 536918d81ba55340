#include "net/socket_failure.h"

namespace zvk {
namespace {

// The reasons of the network in words of our own: the C runtime of Windows has no words for
// most of them and says "Unknown error".
std::string ReasonWords(std::error_code reason)
{
    struct Row
    {
        std::errc reason;
        const char* words;
    };
    static constexpr Row kRows[] = {
        {std::errc::timed_out, "no answer within the time limit"},
        {std::errc::operation_canceled, "stopped"},
        {std::errc::connection_refused, "connection refused"},
        {std::errc::connection_reset, "connection reset by the peer"},
        {std::errc::connection_aborted, "connection aborted"},
        {std::errc::address_in_use, "address already in use"},
        {std::errc::address_not_available, "no such address on this computer"},
        {std::errc::network_unreachable, "network unreachable"},
        {std::errc::host_unreachable, "host unreachable"},
        {std::errc::network_down, "network down"},
        {std::errc::not_connected, "not connected"},
        {std::errc::permission_denied, "permission denied"},
    };
    for (const Row& row : kRows)
        if (reason == row.reason)
            return row.words;
    return reason.message();
}

} // namespace

Unexpected<Failure> SocketFailure(const std::string& what, std::error_code reason)
{
    return Fail(what + ": " + ReasonWords(reason));
}

} // namespace zvk
