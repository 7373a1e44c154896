# GoogleTest comes installed, or is built from its sources with the project
# (for a cross compiler: -DTOMIRA_GTEST_SOURCE_DIR=/usr/src/googletest).
set(TOMIRA_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build with the project instead of an installed one")
if(TOMIRA_GTEST_SOURCE_DIR)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TOMIRA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Lists a test program's tests for ctest. A cross-built program cannot run
# while it is built, so ctest runs it whole (through the emulator, if any).
function(tomira_register_tests name)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES ${ARGN})
  endif()
endfunction()

# tomira_core_test(<name> <sources>...): a test of the plain C++ core.
function(tomira_core_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tomira_core tomira_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  tomira_register_tests(${name})
endfunction()

# tomira_ui_test(<name> <sources>...): a widget test, run on the offscreen
# platform. It links tests/ui/QtTestMain (a QApplication around GoogleTest).
function(tomira_ui_test name)
  if(NOT TOMIRA_WITH_QT)
    return()
  endif()
  find_package(Qt6 REQUIRED COMPONENTS Test)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tomira_ui tomira_qt_test_main Qt6::Test GTest::gtest GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
