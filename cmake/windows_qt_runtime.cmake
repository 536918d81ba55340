# What a Qt program of the Windows build needs to run: Qt's DLLs and plugins, the compiler's
# runtime DLLs that Qt's DLLs import (both in Qt's bin folder), and Qt's Slovak translation.
# Under Wine the build tree finds the DLLs along WINEPATH; the release archive has them
# beside the program.

# The Slovak texts of Qt's standard dialogs and buttons (Debian's qt6-translations-l10n;
# the file is the same on every system).
set(ZVK_QT_SLOVAK_TRANSLATION /usr/share/qt6/translations/qtbase_sk.qm)
if(NOT EXISTS ${ZVK_QT_SLOVAK_TRANSLATION})
    message(FATAL_ERROR "${ZVK_QT_SLOVAK_TRANSLATION} is missing (Debian's qt6-translations-l10n)")
endif()

# Wine finds Qt's DLLs, and the compiler's runtime DLLs that they import, in Qt's bin folder;
# Qt finds its plugins beside that folder.
if(CMAKE_CROSSCOMPILING_EMULATOR)
    list(INSERT CMAKE_CROSSCOMPILING_EMULATOR 1 "WINEPATH=Z:${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
endif()

# Makes `target` a Qt program of the Windows build: the shared runtime, and Qt's Slovak
# translation in translations/ beside it, where the program looks first.
function(zvk_windows_qt_program target)
    set_target_properties(${target} PROPERTIES ZVK_QT_RUNTIME ON)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZVK_QT_SLOVAK_TRANSLATION}
            $<TARGET_FILE_DIR:${target}>/translations/qtbase_sk.qm)
endfunction()
