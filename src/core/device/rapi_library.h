#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device/rapi_declarations.h"
#include "system/result.h"

namespace zvk {

// What a look at rapi.dll found, for a report to support.
struct RapiLibraryProbe
{
    // Where the dll was loaded from; why it did not load instead.
    Result<std::filesystem::path> file;
    // The functions the desktop calls that the dll lacks, in the order they are resolved.
    std::vector<std::string> missing;
};

// rapi.dll, loaded for as long as the object lives, with every function the desktop calls.
class RapiLibrary
{
public:
    // Looks for the dll where the system keeps it and beside the program, never in the
    // working directory (where lists come from); a failure says that the device
    // connection software is missing, or which function its dll lacks.
    static Result<std::unique_ptr<RapiLibrary>> Load();
    // Loads the dll as Load does, looks for every function, and lets it go again.
    static RapiLibraryProbe Probe();

    ~RapiLibrary();
    RapiLibrary(const RapiLibrary&) = delete;
    RapiLibrary& operator=(const RapiLibrary&) = delete;

    const rapi::Functions& Calls() const;

private:
    RapiLibrary(HMODULE module, const rapi::Functions& functions);

    HMODULE m_module;
    rapi::Functions m_functions;
};

} // namespace zvk
