#pragma once

#include <memory>

#include "device/rapi_declarations.h"
#include "platform/result.h"

namespace zvk {

// rapi.dll, loaded for as long as the object lives, with every function the desktop calls.
class RapiLibrary
{
public:
    // Looks for the dll where the system keeps it and beside the program, never in the
    // working directory (where lists come from); a failure says that the device
    // connection software is missing, or which function its dll lacks.
    static Result<std::unique_ptr<RapiLibrary>> Load();

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
