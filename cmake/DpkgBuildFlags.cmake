# Compiles and links as Debian builds its packages: the flags come from
# dpkg-buildflags with every hardening feature on (stack protector, fortified
# functions, read-only relocations with immediate binding, and stack-clash
# and control-flow protection; PIE is the compiler's default).
#
# TOMIRA_DPKG_BUILDFLAGS: AUTO uses them where dpkg-buildflags is installed
# (dpkg-dev), REQUIRED fails without it (the release build), OFF leaves
# CMake's own flags. The optimisation and debug levels stay the build
# type's, so the sanitizer build keeps its own; the build type None (the
# release) takes Debian's -g -O2. Windows builds take the
# MinGW-w64 flags of cmake/mingw-w64-x86_64.cmake instead.
#
# Every GCC or Clang build writes the source folder as "." and the build
# folder as "build" into its objects, so that the same sources give the same
# program wherever the clone and the build lie.
set(TOMIRA_DPKG_BUILDFLAGS AUTO CACHE STRING "Debian's hardened build flags: AUTO, REQUIRED or OFF")
set_property(CACHE TOMIRA_DPKG_BUILDFLAGS PROPERTY STRINGS AUTO REQUIRED OFF)

function(tomira_dpkg_buildflags)
  if(WIN32 OR TOMIRA_DPKG_BUILDFLAGS STREQUAL "OFF")
    return()
  endif()
  find_program(TOMIRA_DPKG_BUILDFLAGS_TOOL dpkg-buildflags)
  if(NOT TOMIRA_DPKG_BUILDFLAGS_TOOL)
    if(TOMIRA_DPKG_BUILDFLAGS STREQUAL "REQUIRED")
      message(FATAL_ERROR "dpkg-buildflags is missing: install dpkg-dev")
    endif()
    message(STATUS "dpkg-buildflags not found (dpkg-dev): built with CMake's flags, not Debian's hardening")
    return()
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # Debian's flags as its policy has them, not changed by DEB_* variables of the caller.
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              --unset=DEB_${kind}_APPEND --unset=DEB_${kind}_SET --unset=DEB_${kind}_PREPEND --unset=DEB_${kind}_STRIP
              ${TOMIRA_DPKG_BUILDFLAGS_TOOL} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(value UNIX_COMMAND "${value}")
    # Debian's -g -O2 only where the build type sets no level of its own (None).
    if(CMAKE_BUILD_TYPE AND NOT CMAKE_BUILD_TYPE STREQUAL "None")
      list(FILTER value EXCLUDE REGEX "^-(O.*|g)$")
    endif()
    set(${kind} ${value})
  endforeach()
  # dpkg 1.22 (Debian 13) adds stack-clash and control-flow protection to
  # hardening=+all; with an older dpkg (Debian 12) they are added here, where
  # the compiler takes them.
  include(CheckCXXCompilerFlag)
  foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "TOMIRA_HAS${flag}" works)
    if(NOT flag IN_LIST CXXFLAGS)
      check_cxx_compiler_flag(${flag} ${works})
      if(${works})
        list(APPEND CXXFLAGS ${flag})
      endif()
    endif()
  endforeach()
  add_compile_options(${CPPFLAGS} ${CXXFLAGS})
  add_link_options(${LDFLAGS})
  list(JOIN CPPFLAGS " " cpp)
  list(JOIN CXXFLAGS " " cxx)
  list(JOIN LDFLAGS " " ld)
  message(STATUS "Debian's build flags: ${cpp} ${cxx}; linked with ${ld}")
endfunction()
tomira_dpkg_buildflags()

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  # GCC takes the last map that matches: the build folder's comes after the
  # source folder's, which may hold it.
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()
