#include "device/handheld_selection.h"

#include <cstdlib>
#include <system_error>

#include "device/emulated_program.h"
#include "device/handheld_emulator.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

fs::path ExecutableFolder()
{
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : executable.parent_path();
}

} // namespace

fs::path ChooseHandheldFolder(std::string_view configuredFolder)
{
    if (const char* variable = std::getenv("ZVK_HANDHELD"); variable != nullptr && *variable != 0)
        return variable;
    if (!configuredFolder.empty())
        return fs::path(configuredFolder);
    return fs::current_path() / "handheld";
}

fs::path SampleListsFolder()
{
    std::error_code ec;
    const fs::path built(ZVK_SAMPLE_DIR);
    if (fs::is_directory(built, ec))
        return built;
    return ExecutableFolder() / "samples";
}

Result<> PrepareHandheldFolder(const fs::path& folder, const fs::path& samples)
{
    std::error_code ec;
    if (fs::exists(folder, ec)) {
        if (!fs::is_directory(folder, ec))
            return Fail(folder.string() + " is not a folder");
        return {};
    }
    const fs::path lists = EmulatedListStore(folder);
    if (!fs::create_directories(lists, ec))
        return Fail("cannot create " + lists.string() + ": " + ec.message());
    for (fs::directory_iterator it(samples, ec); !ec && it != fs::directory_iterator();
         it.increment(ec))
        if (it->is_regular_file(ec))
            fs::copy_file(it->path(), lists / it->path().filename(), ec);
    return {};
}

Result<std::unique_ptr<RemoteApi>> OpenHandheld(std::string_view configuredFolder, Clock& clock)
{
    const fs::path folder = ChooseHandheldFolder(configuredFolder);
    Result<> prepared = PrepareHandheldFolder(folder, SampleListsFolder());
    if (!prepared)
        return Unexpected(std::move(prepared).error());
    return std::unique_ptr<RemoteApi>(std::make_unique<HandheldEmulator>(folder, clock));
}

} // namespace zvk
