find_package(GTest REQUIRED)
include(GoogleTest)

# zv_add_test(NAME SOURCES ... LIBS ... [UI])
# A GoogleTest executable registered with CTest; UI tests run on the
# offscreen platform so that they need no display.
function(zv_add_test name)
  cmake_parse_arguments(ARG "UI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE zv_options GTest::gtest GTest::gtest_main ${ARG_LIBS})
  set(_env "ZV_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(ARG_UI)
    list(APPEND _env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${_env}")
endfunction()
