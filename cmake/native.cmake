# Native build: core tests, host tools, fuzzers and benchmarks.

# A fuzzing build holds the fuzzers alone, everything instrumented alike.
# Any sanitizer report ends the target, so that the fuzz stage cannot print
# undefined behaviour and still pass.
if(VC_FUZZ)
  set(VC_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  file(GLOB VC_FUZZERS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
  foreach(library ${VC_PORTABLE_LIBRARIES})
    target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link ${VC_FUZZ_FLAGS})
  endforeach()
  # The canary: a target with the fuzzers' flags that overflows a signed
  # integer on every input. scripts/test expects it to fail.
  foreach(source ${VC_FUZZERS} ${PROJECT_SOURCE_DIR}/tests/fuzz/canary_signed_overflow.cpp)
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer ${VC_FUZZ_FLAGS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer ${VC_FUZZ_FLAGS})
    target_link_libraries(${name} PRIVATE vc_core)
  endforeach()
  # The theme reader is the skin tool's; its colours come from the art tool.
  target_include_directories(fuzz_theme PRIVATE ${PROJECT_SOURCE_DIR}/tools/art)
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

# The sixteen built-in skins, drawn from their themes (skins/NN-name.theme,
# NN = 00 to 15, the skin's number) into skins/SkinItemN.vcskin. The cross
# build embeds these files; the native tests load every one of them.
file(GLOB VC_THEMES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/skins/[0-9][0-9]-*.theme)
set(VC_BUILTIN_SKINS)
foreach(theme ${VC_THEMES})
  get_filename_component(theme_name ${theme} NAME)
  string(SUBSTRING ${theme_name} 0 2 number)
  math(EXPR number "${number}")
  set(skin ${CMAKE_BINARY_DIR}/skins/SkinItem${number}.vcskin)
  add_custom_command(OUTPUT ${skin}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/skins
    COMMAND vellumcast-skin generate ${theme} -o ${skin}
    DEPENDS vellumcast-skin ${theme}
    COMMENT "Drawing skin ${number} from ${theme_name}"
    VERBATIM)
  list(APPEND VC_BUILTIN_SKINS ${skin})
endforeach()
add_custom_target(vc_builtin_skins ALL DEPENDS ${VC_BUILTIN_SKINS})
add_dependencies(vc_native_tests vc_builtin_skins)
target_compile_definitions(vc_native_tests PRIVATE VC_BUILTIN_SKINS_DIR="${CMAKE_BINARY_DIR}/skins")


if(VC_BENCH AND NOT VC_SANITIZE)
  find_package(benchmark QUIET)
  file(GLOB VC_BENCHES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/bench_*.cpp)
  # The search benchmark measures against SQLite FTS5; without SQLite it is
  # left out. SQLite serves no other target.
  find_package(SQLite3 QUIET)
  if(NOT SQLite3_FOUND)
    list(FILTER VC_BENCHES EXCLUDE REGEX "/bench_search\\.cpp$")
  endif()
  if(benchmark_FOUND AND VC_BENCHES)
    foreach(source ${VC_BENCHES})
      get_filename_component(name ${source} NAME_WE)
      add_executable(${name} ${source})
      target_link_libraries(${name} PRIVATE vc_core benchmark::benchmark)
      target_compile_definitions(${name} PRIVATE VC_BUILTIN_SKINS_DIR="${CMAKE_BINARY_DIR}/skins")
    endforeach()
    # The page archive is measured as the pack tool makes it.
    target_link_libraries(bench_page_archive PRIVATE vc_pack)
    if(TARGET bench_search)
      target_link_libraries(bench_search PRIVATE SQLite::SQLite3)
    endif()
    # The link check is the pack tool's.
    target_link_libraries(bench_link_check PRIVATE vc_pack)
  endif()
endif()
