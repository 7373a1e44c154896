find_package(GTest REQUIRED)
include(GoogleTest)

# tomira_core_test(<name> <sources>...): a test of the plain C++ core.
function(tomira_core_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tomira_core GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
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
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
