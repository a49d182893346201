find_package(GTest REQUIRED)
include(GoogleTest)

# main() for UI tests: creates the QApplication (offscreen) before the tests run.
add_library(zv_qt_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp)
target_link_libraries(zv_qt_test_main PUBLIC zv_options zv_framework GTest::gtest Qt6::Widgets)

# The same for page tests, with every group's nested sheets reachable by id
# (as the module makes them when it is loaded).
add_library(zv_page_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp)
target_compile_definitions(zv_page_test_main PRIVATE ZV_INSTALL_SHEETS)
target_link_libraries(zv_page_test_main PUBLIC zv_options GTest::gtest Qt6::Widgets zv_peripherals)

# zv_add_test(NAME SOURCES ... LIBS ... [UI | PAGES])
# A GoogleTest executable registered with CTest. UI tests get a QApplication
# and run on the offscreen platform, so they need no display; PAGES tests
# are UI tests of the pages and sheets.
function(zv_add_test name)
  cmake_parse_arguments(ARG "UI;PAGES" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  set(_env "ZV_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(ARG_PAGES)
    target_link_libraries(${name} PRIVATE zv_options zv_page_test_main GTest::gtest ${ARG_LIBS})
    list(APPEND _env "QT_QPA_PLATFORM=offscreen")
  elseif(ARG_UI)
    target_link_libraries(${name} PRIVATE zv_options zv_qt_test_main GTest::gtest ${ARG_LIBS})
    list(APPEND _env "QT_QPA_PLATFORM=offscreen")
  else()
    target_link_libraries(${name} PRIVATE zv_options GTest::gtest GTest::gtest_main ${ARG_LIBS})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${_env}")
endfunction()
