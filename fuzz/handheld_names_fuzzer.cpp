// Handheld names from anywhere on the link: the input, read as UTF-16 (two bytes, low
// byte first), is a handheld path and a search pattern. Whatever it holds, the file it
// maps to lies inside the emulated handheld's folder, the emulator never finds, reads or
// deletes a file beside that folder, and a last part that the rule of Windows' names takes
// holds nothing Windows refuses.

#include <algorithm>
#include <cstring>
#include <string>
#include <system_error>

#include "device/emulated_program.h"
#include "device/handheld_contract.h"
#include "device/handheld_emulator.h"
#include "files/windows_file_name.h"
#include "fuzz_scratch.h"
#include "fuzz_target.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kOutsideBytes = "a file beside the handheld's folder";

std::u16string Utf16Of(const std::uint8_t* data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    return text;
}

// No NUL cuts the name short when the system gets it, and no ".." climbs out.
bool LiesInside(const fs::path& file, const fs::path& folder)
{
    if (file.native().find('\0') != std::string::npos)
        return false;
    const fs::path relative = file.lexically_relative(folder);
    if (relative.empty() || relative.is_absolute())
        return false;
    for (const fs::path& part : relative)
        if (part == "..")
            return false;
    return true;
}

// A name the rule of Windows' names lets through has none of what Windows refuses in it.
void CheckWindowsName(std::u16string_view name)
{
    if (zvk::WindowsNameFaultOf(name))
        return;
    const bool control = std::any_of(name.begin(), name.end(), [](char16_t c) { return c < 32; });
    zvk::fuzz::Require(!control &&
                           name.find_first_of(u"<>:\"/\\|?*") == std::u16string_view::npos &&
                           (name.empty() || (name.back() != u'.' && name.back() != u' ')),
                       "a name Windows cannot hold passed the rule of Windows' names");
}

void CheckDesktopName(std::u16string_view name)
{
    const std::optional<fs::path> desktop = zvk::DesktopNameOf(name);
    if (!desktop)
        return;
    zvk::fuzz::Require(!desktop->has_parent_path() && *desktop != "." && *desktop != ".." &&
                           desktop->native().find('\0') == std::string::npos,
                       "a handheld name became more than one plain desktop file name");
    zvk::fuzz::Require(zvk::HandheldNameOf(*desktop) == name,
                       "a handheld name does not come back from its desktop file");
}

// The emulated handheld beside a file that none of its operations may reach.
struct Handheld
{
    Handheld()
        : folder(zvk::fuzz::ScratchFolder() / "handheld"),
          outside(zvk::fuzz::ScratchFolder() / "OUTSIDE.DAT"), emulator(folder)
    {
        zvk::fuzz::WriteScratchFile(outside, kOutsideBytes);
    }

    fs::path folder;
    fs::path outside;
    zvk::HandheldEmulator emulator;
};

void CheckEmulator(Handheld& handheld, const std::u16string& path)
{
    zvk::fuzz::WriteScratchFile(handheld.folder / "LIST0001.DAT", "AD");
    std::uint32_t count = 0;
    zvk::CeFindData* found = nullptr;
    if (handheld.emulator.CeFindAllFiles(path, zvk::kFafName, count, found) && found != nullptr) {
        for (std::uint32_t i = 0; i < count; ++i)
            zvk::fuzz::Require(zvk::EntryName(found[i]) != u"OUTSIDE.DAT",
                               "the search found a file beside the handheld's folder");
        static_cast<void>(handheld.emulator.CeRapiFreeBuffer(found));
    }
    const zvk::CeHandle file =
        handheld.emulator.CeCreateFile(path, zvk::kGenericRead, 0, zvk::kOpenExisting, 0);
    if (file != zvk::kInvalidCeHandle) {
        char bytes[64] = {};
        std::uint32_t read = 0;
        static_cast<void>(handheld.emulator.CeReadFile(file, bytes, sizeof bytes, read));
        zvk::fuzz::Require(std::string_view(bytes, read) != kOutsideBytes,
                           "a file beside the handheld's folder was read");
        static_cast<void>(handheld.emulator.CeCloseHandle(file));
    }
    static_cast<void>(handheld.emulator.CeDeleteFile(path));
    std::error_code ec;
    zvk::fuzz::Require(fs::exists(handheld.outside, ec),
                       "a file beside the handheld's folder was deleted");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Handheld handheld;
    const std::u16string path = Utf16Of(data, size);
    CheckDesktopName(path);
    CheckWindowsName(path.substr(path.rfind(u'\\') + 1));
    if (const std::optional<fs::path> file = zvk::EmulatedPath(handheld.folder, path))
        zvk::fuzz::Require(LiesInside(*file, handheld.folder),
                           "a handheld path maps to a file outside the handheld's folder");
    CheckEmulator(handheld, path);
    return 0;
}
