# Cross build for 64-bit Windows with Debian's mingw-w64, POSIX thread model (the core
# uses std::jthread, which the win32 thread model lacks):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Tests run under Wine as CTest's emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZVK_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZVK_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZVK_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZVK_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZVK_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthread are linked in, so that zvk.exe and the tests
# run without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# Wine runs the tests: headless, quiet, in a prefix of the build folder's own. The locale
# (and with it Wine's ANSI code page) comes from the caller's LANG and LC_ALL.
find_program(ZVK_WINE wine)
if(ZVK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all
            WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe= DISPLAY=
            ${ZVK_WINE})
endif()
