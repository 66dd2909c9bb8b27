enable_testing()

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Where tests leave what a person may want to look at (screenshots, logs, XML).
set(VD_TEST_OUTPUT_DIR ${CMAKE_BINARY_DIR}/test-results)
file(MAKE_DIRECTORY ${VD_TEST_OUTPUT_DIR})
if(WIN32)
  # Wine maps the Unix root to drive Z:.
  set(VD_TEST_OUTPUT_ARG "Z:${VD_TEST_OUTPUT_DIR}")
  set(VD_SOURCE_DIR_ARG "Z:${CMAKE_SOURCE_DIR}")
else()
  set(VD_TEST_OUTPUT_ARG "${VD_TEST_OUTPUT_DIR}")
  set(VD_SOURCE_DIR_ARG "${CMAKE_SOURCE_DIR}")
endif()

# One executable per subsystem: every Wine process start costs time.
# vd_add_test(name SOURCES ... LIBS ... [TIMEOUT s] [LABELS ...])
function(vd_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock_main vd_warnings)
  add_test(NAME ${name}
           COMMAND ${name} --gtest_output=xml:${VD_TEST_OUTPUT_ARG}/${name}.xml)
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    LABELS "${T_LABELS}"
    ENVIRONMENT "VD_TEST_OUTPUT=${VD_TEST_OUTPUT_ARG};VD_SOURCE_DIR=${VD_SOURCE_DIR_ARG};VD_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
