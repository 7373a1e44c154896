# Cross compiles for 64-bit Windows with Debian's MinGW-w64 (POSIX threads)
# and runs the results under Wine:
#   cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTOMIRA_WITH_QT=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The test programs carry their C and C++ runtimes, so Wine needs no DLLs
# from the cross compiler.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# GoogleTest from Debian's sources, built with the same compiler.
if(NOT DEFINED TOMIRA_GTEST_SOURCE_DIR AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(TOMIRA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build with the project")
endif()

# ctest runs the test programs through Wine.
find_program(TOMIRA_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TOMIRA_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TOMIRA_WINE64})
endif()
