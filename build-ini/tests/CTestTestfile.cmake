# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build-ini/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/main/build-ini/tests/lists_test[1]_include.cmake")
include("/work/main/build-ini/tests/platform_test[1]_include.cmake")
include("/work/main/build-ini/tests/config_test[1]_include.cmake")
include("/work/main/build-ini/tests/cli_test[1]_include.cmake")
add_test([=[ui_helpers_test]=] "/work/main/build-ini/tests/ui_helpers_test")
set_tests_properties([=[ui_helpers_test]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;46;add_test;/work/main/tests/CMakeLists.txt;50;zvk_qtest;/work/main/tests/CMakeLists.txt;0;")
