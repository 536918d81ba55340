# Fails when the process is read below main. The core reads no environment variable and no
# working directory, but in the platform's system queries; those queries, and the
# process's own (the working directory, the environment), are made by the mains of zvkpc
# and zvk alone, which hand the answers down through their contexts.
#   cmake -DSOURCE_DIR=<the src folder> -P process_reads_in_main_alone.cmake
cmake_minimum_required(VERSION 3.25)

set(environmentReads "(_wgetenv|[^_a-zA-Z]getenv|qgetenv|qEnvironmentVariable)[ \t]*\\(")
set(directoryReads "(current_path|QDir::currentPath|QDir::current)[ \t]*\\(")
set(systemQueries "(EnvironmentPath|UserCacheFolder|NetworkInterfaces)[ \t]*\\(")

# The system queries themselves, and the system viewer: the program it starts inherits
# this process's environment and directory, and is looked for along its PATH as the
# system itself looks.
set(systemFiles
    core/system/environment_path.h core/system/environment_path.cpp
    core/system/user_cache_folder.h core/system/user_cache_folder.cpp
    core/system/system_viewer.cpp
    core/net/network_interfaces.h core/net/network_interfaces_posix.cpp
    core/net/network_interfaces_windows.cpp)
set(mains cli/main.cpp app/main.cpp)

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(found "")
foreach(source IN LISTS sources)
    if(source IN_LIST systemFiles)
        continue()
    endif()
    file(READ ${SOURCE_DIR}/${source} text)
    set(rules "")
    if(source MATCHES "^core/")
        list(APPEND rules "${environmentReads}" "${directoryReads}")
    endif()
    if(NOT source IN_LIST mains)
        list(APPEND rules "${environmentReads}|${directoryReads}|${systemQueries}")
    endif()
    foreach(rule IN LISTS rules)
        string(REGEX MATCH "${rule}" call "${text}")
        if(call)
            string(REGEX REPLACE "^[^_a-zA-Z]|[ \t]*\\($" "" call "${call}")
            # One line each, as CMake's error messages are folded.
            message(NOTICE "${source} reads the process (${call}): take it from main's context")
            set(found TRUE)
            break()
        endif()
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "the process is read below main")
endif()
