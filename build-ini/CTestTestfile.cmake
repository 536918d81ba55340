# CMake generated Testfile for 
# Source directory: /work/main
# Build directory: /work/main/build-ini
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("src")
subdirs("tests")
