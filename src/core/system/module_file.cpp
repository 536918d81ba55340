#include "system/module_file.h"

#ifdef _WIN32

#include <string>

#include <windows.h>

namespace zvk {

std::filesystem::path ModuleFile(void* module)
{
    std::wstring file(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(static_cast<HMODULE>(module), file.data(),
                                                static_cast<DWORD>(file.size()));
        if (length == 0)
            return {};
        // A name cut to the buffer fills it whole.
        if (length < file.size()) {
            file.resize(length);
            return std::filesystem::path(file);
        }
        file.resize(file.size() * 2);
    }
}

} // namespace zvk

#endif
