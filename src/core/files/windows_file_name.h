#pragma once

#include <optional>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace zvk {

// Why Windows cannot hold a file name: a file of that name cannot be made there, or is
// made under another name. The rule holds on every system, since a receive folder may be
// shared with Windows PCs.
enum class WindowsNameFault
{
    // CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 (the superscript ¹, ² and ³ count as
    // digits), in any letter case, alone or before an extension ("aux.dat", "NUL.tar.gz"),
    // spaces before the extension ignored ("AUX .DAT"): Windows opens the device instead.
    ReservedDeviceName = 1,
    // Windows drops a dot or a space at the end of a name: it would be another file.
    EndsInDotOrSpace,
    // One of < > : " / \ | ? *, which no Windows file system takes in a name.
    ForbiddenCharacter,
    // A character below 32.
    ControlCharacter,
};

const std::error_category& WindowsNameFaultCategory();
std::error_code make_error_code(WindowsNameFault fault);

// Why Windows cannot hold `name`, a file name without a folder; nothing when it can. A
// name with several faults gives the first in the order of the enumeration's last three,
// then a device name.
std::optional<WindowsNameFault> WindowsNameFaultOf(std::u16string_view name);

} // namespace zvk

template <> struct std::is_error_code_enum<zvk::WindowsNameFault> : std::true_type
{
};
