# Cross build for 64-bit Windows with Debian's mingw-w64:
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# With Qt for Windows (make windows-qt), Qt's own toolchain file loads this one:
#   -DCMAKE_TOOLCHAIN_FILE=QT/lib/cmake/Qt6/qt.toolchain.cmake -DQT_CHAINLOAD_TOOLCHAIN_FILE=<this>
# Tests run under Wine as CTest's emulator.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-compilers.cmake)

# A shared library made here (the stand-in rapi.dll) carries the C++ runtime and libgcc
# inside. Which programs do is the project's choice (see ZVK_QT_RUNTIME).
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# Wine runs the tests: headless, in a prefix of the build folder's own, through the Wine gate
# (tests/windows/wine_gate.sh), which turns Wine's err channel on and fails a test that makes
# Wine print an err line it does not allow; the lines are kept in wine-err.log. The locale
# (and with it Wine's ANSI code page) comes from the caller's LANG and LC_ALL.
find_program(ZVK_WINE wine)
if(ZVK_WINE)
    set(ZVK_WINE_ENVIRONMENT WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix
        WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe= DISPLAY=
        ZVK_WINE_ERR_LOG=${CMAKE_BINARY_DIR}/wine-err.log)
    set(ZVK_WINE_GATE ${CMAKE_CURRENT_LIST_DIR}/../tests/windows/wine_gate.sh)
    set(CMAKE_CROSSCOMPILING_EMULATOR env ${ZVK_WINE_ENVIRONMENT} sh ${ZVK_WINE_GATE})
endif()
