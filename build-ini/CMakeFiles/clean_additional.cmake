# Additional clean files
cmake_minimum_required(VERSION 3.16)

if("${CONFIG}" STREQUAL "" OR "${CONFIG}" STREQUAL "")
  file(REMOVE_RECURSE
  "src/CMakeFiles/zvk_gui_autogen.dir/AutogenUsed.txt"
  "src/CMakeFiles/zvk_gui_autogen.dir/ParseCache.txt"
  "src/zvk_gui_autogen"
  "tests/CMakeFiles/ui_helpers_test_autogen.dir/AutogenUsed.txt"
  "tests/CMakeFiles/ui_helpers_test_autogen.dir/ParseCache.txt"
  "tests/ui_helpers_test_autogen"
  )
endif()
