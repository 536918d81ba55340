#include "device/handheld_selection.h"

#include <system_error>

#include "device/emulated_program.h"
#include "device/handheld_emulator.h"
#include "system/system_reason.h"
#include "text/path_text.h"

#ifdef _WIN32
#include "system/module_file.h"
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

fs::path ExecutableFolder()
{
#ifdef _WIN32
    return ModuleFile(nullptr).parent_path();
#else
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : executable.parent_path();
#endif
}

} // namespace

fs::path NamedHandheldFolder(const HandheldPlace& place)
{
    return place.variableFolder.empty() ? place.configuredFolder : place.variableFolder;
}

fs::path ChooseHandheldFolder(const HandheldPlace& place)
{
    const fs::path named = NamedHandheldFolder(place);
    return named.empty() ? place.workingFolder / "handheld" : named;
}

fs::path InstalledSampleLists(const fs::path& executableFolder)
{
    std::error_code ec;
    for (const fs::path& folder : {executableFolder / "samples",
                                   executableFolder.parent_path() / "share" / "zvk-pc" / "samples"})
        if (fs::is_directory(folder, ec))
            return folder;
    return {};
}

fs::path SampleListsFolder(const fs::path& builtSamples)
{
    const fs::path installed = InstalledSampleLists(ExecutableFolder());
    return installed.empty() ? builtSamples : installed;
}

Result<> PrepareHandheldFolder(const fs::path& folder, const fs::path& samples)
{
    std::error_code ec;
    if (fs::exists(folder, ec)) {
        if (!fs::is_directory(folder, ec))
            return Fail(PathText(folder) + " is not a folder");
        return {};
    }
    const fs::path lists = EmulatedListStore(folder);
    if (!fs::create_directories(lists, ec))
        return Fail("cannot create " + PathText(lists) + ": " + StandardReason(ec).message());
    for (fs::directory_iterator it(samples, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        if (it->is_regular_file(ec))
            fs::copy_file(it->path(), lists / it->path().filename(), ec);
    return {};
}

Result<std::unique_ptr<RemoteApi>> OpenEmulatedHandheld(const fs::path& folder,
                                                        const fs::path& samples, Clock& clock)
{
    Result<> prepared = PrepareHandheldFolder(folder, samples);
    if (!prepared)
        return Unexpected(std::move(prepared).error());
    return std::unique_ptr<RemoteApi>(std::make_unique<HandheldEmulator>(folder, clock));
}

} // namespace zvk
