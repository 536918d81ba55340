#include "emulator/device_faults.h"

#include <array>
#include <charconv>
#include <limits>
#include <string>

namespace zvk::emulator {
namespace {

struct FaultName
{
    std::string_view name;
    // What N counts, for a fault that takes one; empty for a fault that takes none.
    std::string_view counts;
    void (*set)(DeviceFaults& faults, std::uint32_t n);
};

constexpr std::array kFaults{
    FaultName{"connect-back-late", "milliseconds",
              [](DeviceFaults& f, std::uint32_t n) {
                  f.connectBackDelay = std::chrono::milliseconds(n);
              }},
    FaultName{"connect-back-never", "",
              [](DeviceFaults& f, std::uint32_t) { f.connectBackNever = true; }},
    FaultName{"drop-after", "calls",
              [](DeviceFaults& f, std::uint32_t n) { f.dropAfterCalls = n; }},
    FaultName{"short-reply", "number of the call",
              [](DeviceFaults& f, std::uint32_t n) { f.shortReplyAt = n; }},
    FaultName{"stall", "number of the call",
              [](DeviceFaults& f, std::uint32_t n) { f.stallAt = n; }},
    FaultName{"read-error", "bytes",
              [](DeviceFaults& f, std::uint32_t n) { f.readErrorAfterBytes = n; }},
    FaultName{"disk-full", "bytes",
              [](DeviceFaults& f, std::uint32_t n) { f.diskFullAfterBytes = n; }},
    FaultName{"refuse-password", "",
              [](DeviceFaults& f, std::uint32_t) { f.refusePassword = true; }},
    FaultName{"no-trigger", "",
              [](DeviceFaults& f, std::uint32_t) { f.connectWithoutTrigger = true; }},
};

std::string KnownFaults()
{
    std::string names;
    for (const FaultName& fault : kFaults)
        names += (names.empty() ? "" : ", ") + std::string(fault.name) +
                 (fault.counts.empty() ? "" : "=N");
    return names;
}

} // namespace

Result<> ApplyFault(std::string_view text, DeviceFaults& faults)
{
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    for (const FaultName& fault : kFaults) {
        if (fault.name != name)
            continue;
        const std::string quoted = "fault '" + std::string(text) + "'";
        if (fault.counts.empty()) {
            if (equals != std::string_view::npos)
                return Fail(quoted + " takes no value");
            fault.set(faults, 0);
            return {};
        }
        if (equals == std::string_view::npos)
            return Fail(quoted + " needs =N, N the " + std::string(fault.counts));
        const std::string_view value = text.substr(equals + 1);
        std::uint32_t n = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (value.empty() || error != std::errc() || end != value.data() + value.size())
            return Fail(quoted + ": N, the " + std::string(fault.counts) +
                        ", must be a whole number up to " +
                        std::to_string(std::numeric_limits<std::uint32_t>::max()));
        fault.set(faults, n);
        return {};
    }
    return Fail("unknown fault '" + std::string(name) + "' (known: " + KnownFaults() + ")");
}

} // namespace zvk::emulator
