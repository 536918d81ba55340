# GoogleTest built from ZVK_GTEST_SOURCE_DIR with the project's compiler; its CMake project
# defines the same GTest::gtest and GTest::gtest_main that find_package(GTest) gives.
# Its own warnings are not ours to fail on.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${ZVK_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(library gtest gtest_main)
    target_compile_options(${library} PRIVATE -w)
endforeach()
