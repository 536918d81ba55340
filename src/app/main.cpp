#include <filesystem>
#include <system_error>

#include "app/CTarnwickApp.h"
#include "device/handheld_selection.h"
#include "system/environment_path.h"
#include "system/user_cache_folder.h"

int main(int argc, char* argv[])
{
    CTarnwickApp app(argc, argv);
    std::error_code ec;
    return app.Run({std::filesystem::current_path(ec), zvk::EnvironmentPath("ZVK_HANDHELD"),
                    zvk::SampleListsFolder(ZVK_SAMPLE_DIR), zvk::UserCacheFolder()});
}
