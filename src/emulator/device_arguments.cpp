#include "emulator/device_arguments.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>

#include "text/path_text.h"
#include "wire/device_info.h"

namespace zvk::emulator {
namespace {

Result<IPv4Address> AddressOf(const std::string& option, const std::string& text)
{
    // An endpoint's reading, so that an address is read the same way everywhere.
    if (text.find(':') == std::string::npos)
        if (const Result<Endpoint> endpoint = ParseEndpoint(text + ":0"))
            return endpoint->address;
    return Fail(option + ": not an IPv4 address (such as 169.254.2.1): " + text);
}

Result<std::uint32_t> NumberOf(const std::string& option, const std::string& text,
                               std::uint32_t largest)
{
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > largest)
        return Fail(option + ": not a whole number up to " + std::to_string(largest) + ": " + text);
    return value;
}

Result<std::uint16_t> PortOf(const std::string& option, const std::string& text)
{
    const Result<std::uint32_t> port = NumberOf(option, text, 65535);
    if (!port)
        return Unexpected(port.error());
    return static_cast<std::uint16_t>(*port);
}

Result<> SetOs(const std::string& text, WireDeviceOptions& options)
{
    const std::size_t dot = text.find('.');
    const Result<std::uint32_t> major = NumberOf("--os", text.substr(0, dot), 255);
    const Result<std::uint32_t> minor = dot == std::string::npos
                                            ? Fail("--os: MAJOR.MINOR, such as 5.2: " + text)
                                            : NumberOf("--os", text.substr(dot + 1), 255);
    if (!major)
        return Unexpected(major.error());
    if (!minor)
        return Unexpected(minor.error());
    options.osMajor = *major;
    options.osMinor = *minor;
    return {};
}

Result<> SetName(const std::string& text, WireDeviceOptions& options)
{
    std::u16string name = PathFromText(text).u16string();
    if (name.empty() || name.size() > wire::kMaxDeviceNameChars)
        return Fail("--name: from 1 to " + std::to_string(wire::kMaxDeviceNameChars) +
                    " characters: " + text);
    options.name = std::move(name);
    return {};
}

Result<> SetModel(const std::string& text, WireDeviceOptions& options)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
    });
    if (!ascii || text.size() > wire::kMaxInfoNameBytes)
        return Fail("--model: at most " + std::to_string(wire::kMaxInfoNameBytes) +
                    " printable ASCII characters: " + text);
    options.model = text;
    return {};
}

Result<> SetPasswordOnDesktop(const std::string& text, WireDeviceOptions& options)
{
    std::u16string password = PathFromText(text).u16string();
    if (password.empty() || password.size() > wire::kMaxPasswordChars)
        return Fail("--password-on-desktop: from 1 to " + std::to_string(wire::kMaxPasswordChars) +
                    " characters");
    options.passwordStyle = wire::PasswordStyle::OnDesktop;
    options.password = std::move(password);
    return {};
}

using Setter = std::function<Result<>(const std::string& value, WireDeviceOptions& options)>;

template <class T, class Parse>
Setter Field(std::string option, T WireDeviceOptions::*field, Parse parse)
{
    return [option, field, parse](const std::string& value, WireDeviceOptions& options) {
        Result<T> parsed = parse(option, value);
        if (!parsed)
            return Result<>(Unexpected(std::move(parsed).error()));
        options.*field = *parsed;
        return Result<>();
    };
}

const std::map<std::string, Setter>& ValueOptions()
{
    static const std::map<std::string, Setter> options{
        {"--folder",
         [](const std::string& value, WireDeviceOptions& o) {
             o.folder = PathFromText(value);
             return Result<>();
         }},
        {"--device-ip", Field("--device-ip", &WireDeviceOptions::deviceAddress, AddressOf)},
        {"--host",
         [](const std::string& value, WireDeviceOptions& o) {
             const Result<IPv4Address> address = AddressOf("--host", value);
             if (!address)
                 return Result<>(Unexpected(address.error()));
             o.desktopAddress = *address;
             return Result<>();
         }},
        {"--host-port", Field("--host-port", &WireDeviceOptions::desktopPort, PortOf)},
        {"--trigger-port", Field("--trigger-port", &WireDeviceOptions::triggerPort, PortOf)},
        {"--name", SetName},
        {"--model", SetModel},
        {"--os", SetOs},
        {"--password-on-desktop", SetPasswordOnDesktop},
        {"--fault", [](const std::string& value,
                       WireDeviceOptions& o) { return ApplyFault(value, o.faults); }},
    };
    return options;
}

} // namespace

Result<WireDeviceOptions> ParseDeviceArguments(const std::vector<std::string>& arguments)
{
    WireDeviceOptions options;
    bool deviceAddressGiven = false;
    bool passwordGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--password-on-handheld" || option == "--password-on-desktop") {
            if (passwordGiven)
                return Fail("give one password option, --password-on-desktop PW or "
                            "--password-on-handheld");
            passwordGiven = true;
        }
        if (option == "--password-on-handheld") {
            options.passwordStyle = wire::PasswordStyle::OnHandheld;
            continue;
        }
        const auto it = ValueOptions().find(option);
        if (it == ValueOptions().end())
            return Fail("unknown argument: " + option);
        if (i + 1 == arguments.size())
            return Fail(option + " needs a value");
        if (Result<> set = it->second(arguments[++i], options); !set)
            return Unexpected(std::move(set).error());
        deviceAddressGiven = deviceAddressGiven || option == "--device-ip";
    }
    if (options.folder.empty())
        return Fail("--folder DIR is required: the folder that plays the handheld");
    if (!deviceAddressGiven)
        return Fail("--device-ip IP is required: the address the device receives its "
                    "trigger on");
    return options;
}

} // namespace zvk::emulator
