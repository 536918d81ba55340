#include "device/rapi_library.h"

#include <string>
#include <vector>

#include "device/connection_software_fault.h"
#include "system/module_file.h"
#include "system/system_reason.h"

namespace zvk {
namespace {

constexpr std::string_view kLibrary = "rapi.dll";

// The failure of loading the dll, for the user interfaces to word by its `fault`.
Unexpected<Failure> Refused(ConnectionSoftwareFault fault, std::string detail)
{
    return Fail("the device connection software (" + std::string(kLibrary) + ") " + detail,
                {kLibrary, fault, FileFailure::Access::Reading});
}

// Finds `name` in the dll as `function`; false when the dll does not export it.
template <typename Function> bool Resolve(HMODULE module, const char* name, Function& function)
{
    const FARPROC found = GetProcAddress(module, name);
    // Through the generic function type, which converts to any other without a warning.
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
    return found != nullptr;
}

// The functions that `module` lacks; none when it has them all.
std::vector<std::string> ResolveAll(HMODULE module, rapi::Functions& functions)
{
    std::vector<std::string> missing;
    const auto need = [&](const char* name, auto& function) {
        if (!Resolve(module, name, function))
            missing.emplace_back(name);
    };
    need("CeRapiInitEx", functions.ceRapiInitEx);
    need("CeRapiUninit", functions.ceRapiUninit);
    need("CeCreateFile", functions.ceCreateFile);
    need("CeReadFile", functions.ceReadFile);
    need("CeWriteFile", functions.ceWriteFile);
    need("CeGetFileSize", functions.ceGetFileSize);
    need("CeCloseHandle", functions.ceCloseHandle);
    need("CeDeleteFile", functions.ceDeleteFile);
    need("CeFindAllFiles", functions.ceFindAllFiles);
    need("CeRapiFreeBuffer", functions.ceRapiFreeBuffer);
    need("CeCreateProcess", functions.ceCreateProcess);
    need("CeGetLastError", functions.ceGetLastError);
    need("CeRapiGetError", functions.ceRapiGetError);
    return missing;
}

HMODULE LoadRapi()
{
    return LoadLibraryExW(L"rapi.dll", nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
}

Result<std::filesystem::path> LoadedFrom(HMODULE module)
{
    std::filesystem::path file = ModuleFile(module);
    if (file.empty())
        return Fail("its file is not known: " + LastWindowsError().message());
    return file;
}

} // namespace

Result<std::unique_ptr<RapiLibrary>> RapiLibrary::Load()
{
    const HMODULE module = LoadRapi();
    if (module == nullptr)
        return Refused(ConnectionSoftwareFault::NotInstalled, "is not installed");
    rapi::Functions functions;
    if (const std::vector<std::string> missing = ResolveAll(module, functions); !missing.empty()) {
        FreeLibrary(module);
        return Refused(ConnectionSoftwareFault::Incomplete, "has no " + missing.front());
    }
    return std::unique_ptr<RapiLibrary>(new RapiLibrary(module, functions));
}

RapiLibraryProbe RapiLibrary::Probe()
{
    const HMODULE module = LoadRapi();
    if (module == nullptr)
        return {Fail("does not load: " + LastWindowsError().message()), {}};
    rapi::Functions functions;
    RapiLibraryProbe probe{LoadedFrom(module), ResolveAll(module, functions)};
    FreeLibrary(module);
    return probe;
}

RapiLibrary::RapiLibrary(HMODULE module, const rapi::Functions& functions)
    : m_module(module), m_functions(functions)
{}

RapiLibrary::~RapiLibrary()
{
    FreeLibrary(m_module);
}

const rapi::Functions& RapiLibrary::Calls() const
{
    return m_functions;
}

} // namespace zvk
