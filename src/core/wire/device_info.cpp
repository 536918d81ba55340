#include "wire/device_info.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

#include "wire/wire_reader.h"
#include "wire/wire_writer.h"

namespace zvk::wire {
namespace {

// A name list of NUL-terminated names, or one name with a NUL after it: its first name.
std::string FirstName(std::string_view bytes)
{
    return std::string(bytes.substr(0, bytes.find('\0')));
}

} // namespace

std::string EncodeDeviceInfo(const DeviceInfo& info)
{
    WireWriter writer;
    writer.Bytes(
        std::string_view(reinterpret_cast<const char*>(info.guid.data()), info.guid.size()));
    writer.U32(info.osMajor).U32(info.osMinor);
    // The name's closing NUL follows it, not counted.
    writer.U32(static_cast<std::uint32_t>(info.name.size())).Utf16(info.name).U16(0);
    writer.U32(info.version)
        .U32(info.cpuType)
        .U32(info.flags)
        .U32(info.currentPartnerId)
        .U32(info.id);
    // The platform names are a list closed by an empty name: the name's NUL and the
    // list's, as far as the field holds them.
    const std::size_t room =
        kMaxInfoNameBytes - std::min<std::size_t>(info.platform.size(), kMaxInfoNameBytes);
    const std::string platforms = info.platform + std::string(std::min<std::size_t>(room, 2), '\0');
    writer.U32(static_cast<std::uint32_t>(platforms.size())).Bytes(platforms);
    // The model's NUL follows it, not counted.
    writer.U32(static_cast<std::uint32_t>(info.model.size()))
        .Bytes(info.model)
        .Bytes(std::string(1, '\0'));
    assert(info.componentVersions.size() % kComponentBytes == 0);
    writer.U32(static_cast<std::uint32_t>(info.componentVersions.size() / kComponentBytes))
        .Bytes(info.componentVersions);
    writer.U32(info.passwordKey).Bytes(info.extraData);
    return writer.Message();
}

Result<DeviceInfo> DecodeDeviceInfo(std::string_view block)
{
    WireReader reader(block, "device info");
    DeviceInfo info;
    const std::string_view guid = reader.Bytes(info.guid.size(), "GUID");
    for (std::size_t i = 0; i < guid.size(); ++i)
        info.guid[i] = static_cast<std::uint8_t>(guid[i]);
    info.osMajor = reader.U32("OS major version");
    info.osMinor = reader.U32("OS minor version");
    const std::uint32_t nameChars = reader.Count("device name length", kMaxDeviceNameChars);
    const std::u16string name = reader.Utf16(nameChars * 2, "device name");
    info.name = name.substr(0, name.find(u'\0'));
    reader.U16("device name's NUL");
    info.version = reader.U32("version");
    info.cpuType = reader.U32("CPU type");
    info.flags = reader.U32("flags");
    info.currentPartnerId = reader.U32("current partner id");
    info.id = reader.U32("id");
    const std::uint32_t platformBytes = reader.Count("platform name length", kMaxInfoNameBytes);
    info.platform = FirstName(reader.Bytes(platformBytes, "platform name"));
    const std::uint32_t modelBytes = reader.Count("model name length", kMaxInfoNameBytes);
    info.model = FirstName(reader.Bytes(modelBytes, "model name"));
    reader.Bytes(1, "model name's NUL");
    const std::uint32_t components = reader.Count("component count", kMaxComponents);
    info.componentVersions = reader.Bytes(components * kComponentBytes, "component versions");
    info.passwordKey = reader.U32("password key");
    info.extraData = reader.Bytes(reader.Remaining(), "extra data");
    return reader.Finish(std::move(info));
}

std::string GuidText(const std::array<std::uint8_t, 16>& guid)
{
    char text[40];
    std::snprintf(text, sizeof text,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid[3],
                  guid[2], guid[1], guid[0], guid[5], guid[4], guid[7], guid[6], guid[8], guid[9],
                  guid[10], guid[11], guid[12], guid[13], guid[14], guid[15]);
    return text;
}

} // namespace zvk::wire
