# The compilers of Debian's mingw-w64 for 64-bit Windows, POSIX thread model (the core uses
# std::jthread, which the win32 thread model lacks). Qt for Windows is built with this file
# alone (its DLLs import the compiler's runtime DLLs); the project's own toolchain file adds
# its link flags and Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZVK_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZVK_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZVK_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZVK_MINGW_TARGET}-windres)
set(CMAKE_AR /usr/bin/${ZVK_MINGW_TARGET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${ZVK_MINGW_TARGET}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${ZVK_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
