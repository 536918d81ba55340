#include <filesystem>
#include <system_error>

#include "app/CTarnwickApp.h"
#include "device/handheld_selection.h"
#include "net/network_interfaces.h"
#include "system/environment_path.h"
#include "system/user_cache_folder.h"
#include "text/path_text.h"

int main(int argc, char* argv[])
{
    CTarnwickApp app(argc, argv);
    std::error_code ec;
    return app.Run({std::filesystem::current_path(ec), zvk::EnvironmentPath("ZVK_HANDHELD"),
                    zvk::SampleListsFolder(ZVK_SAMPLE_DIR), zvk::UserCacheFolder(),
                    zvk::PathText(zvk::EnvironmentPath("ZVK_LINK")), &zvk::NetworkInterfaces});
}
