# vx_library(<name> SOURCES ... DEPS ...): a static library of one folder.
function(vx_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(A_DEPS)
    target_link_libraries(${name} PUBLIC ${A_DEPS})
  endif()
endfunction()

# vx_test(<name> SOURCES ... DEPS ...): one GoogleTest binary, its cases listed
# in ctest at test time (not at build time, so building stays quick).
function(vx_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE VX_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
                                             VX_TEST_OUT_DIR="${PROJECT_BINARY_DIR}/test-output")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       WORKING_DIRECTORY ${PROJECT_BINARY_DIR})
endfunction()

# vx_bench(<name> SOURCES ... DEPS ...): a Google Benchmark binary.
function(vx_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
