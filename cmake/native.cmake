# Native build: core tests, host tools, fuzzers and benchmarks.

# A fuzzing build holds the fuzzers alone, everything instrumented alike.
if(VC_FUZZ)
  file(GLOB VC_FUZZERS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
  target_compile_options(vc_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  foreach(source ${VC_FUZZERS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE vc_core)
  endforeach()
  return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB VC_NATIVE_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/native/*.cpp)
add_executable(vc_native_tests ${VC_NATIVE_TESTS})
target_link_libraries(vc_native_tests PRIVATE vc_core GTest::gtest GTest::gtest_main)
target_compile_definitions(vc_native_tests PRIVATE VC_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_test(NAME native COMMAND vc_native_tests)

foreach(tool pack skin art)
  if(EXISTS ${PROJECT_SOURCE_DIR}/tools/${tool}/CMakeLists.txt)
    add_subdirectory(tools/${tool})
  endif()
endforeach()


if(VC_BENCH AND NOT VC_SANITIZE)
  find_package(benchmark QUIET)
  file(GLOB VC_BENCHES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/bench_*.cpp)
  if(benchmark_FOUND AND VC_BENCHES)
    foreach(source ${VC_BENCHES})
      get_filename_component(name ${source} NAME_WE)
      add_executable(${name} ${source})
      target_link_libraries(${name} PRIVATE vc_core benchmark::benchmark)
    endforeach()
  endif()
endif()
