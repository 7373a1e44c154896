# Cross compiles for 64-bit Windows with Debian's MinGW-w64 (POSIX threads)
# and runs the results under Wine:
#   cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTOMIRA_WITH_QT=OFF
# The whole program, against the Qt that scripts/build-qt-mingw.sh builds:
#   cmake --preset windows   (with TOMIRA_QT_MINGW set to that Qt's folder)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Qt for Windows lies outside MinGW's own folder: wherever the prefix path
# points.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The test programs carry their C and C++ runtimes, so Wine needs no DLLs
# from the cross compiler. Qt's DLLs need MinGW's runtime DLLs anyway, so the
# program built against Qt shares them (TOMIRA_SHARED_RUNTIME) rather than
# carrying a second copy.
if(NOT TOMIRA_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()

# Hardened as far as MinGW-w64 goes: the stack protector and fortified
# string and memory functions (mingw-w64's own), both from GCC's libssp,
# which GCC links for -fstack-protector-strong (libssp-0.dll beside the
# program, or linked in with -static); and the PE flags for ASLR, with
# 64-bit entropy, and a non-executable data section. The PE header's time
# is SOURCE_DATE_EPOCH where that is set (Debian's binutils), else none.
set(CMAKE_C_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT
  " -fstack-protector-strong -Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va -Wl,--no-insert-timestamp")

# GoogleTest from Debian's sources, built with the same compiler.
if(NOT DEFINED TOMIRA_GTEST_SOURCE_DIR AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(TOMIRA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build with the project")
endif()

# ctest runs the test programs through Wine.
find_program(TOMIRA_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TOMIRA_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TOMIRA_WINE64})
endif()
