#include "cli/command_context.h"

#include "text/path_text.h"

namespace zvk::cli {

std::filesystem::path CommandContext::PathOf(std::string_view argument) const
{
    // An empty argument names no file, not the working folder.
    if (argument.empty())
        return {};
    return workingFolder / PathFromText(argument);
}

HandheldPlace CommandContext::HandheldPlaceOf(const DesktopSettings& settings) const
{
    return {handheldVariable, settings.HandheldFolder(),    workingFolder,
            sampleLists,      settings.NamedHandheldLink(), settings.OwnHandheldLink()};
}

NetworkLinkPlace CommandContext::Network() const
{
    return {linkVariable, interfaces, cacheFolder, nullptr};
}

} // namespace zvk::cli
