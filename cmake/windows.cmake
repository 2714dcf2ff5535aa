# Cross build for Windows: the runtime, the Windows tests and the observer.
add_compile_options(-DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601)
# One file, no DLLs beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

# A release runtime is small: code optimised for size, each function and
# datum in a section of its own so that the linker drops what nothing uses,
# symbols and debug information stripped. The decoder of the stored skins and
# the image composition stay at -O2, where bench/ measures them.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  set(VC_RELEASE_OPTIONS -Os -ffunction-sections -fdata-sections)
  add_compile_options(${VC_RELEASE_OPTIONS})
  foreach(library ${VC_PORTABLE_LIBRARIES})
    target_compile_options(${library} PRIVATE ${VC_RELEASE_OPTIONS})
  endforeach()
  set_source_files_properties(src/skin/format/lzh.cpp src/skin/look/composition.cpp PROPERTIES COMPILE_OPTIONS -O2)
  add_link_options(-Wl,--gc-sections -s)
endif()

set(VC_WIN_LIBS user32 gdi32 comctl32 comdlg32 ole32 oleaut32 uuid shell32 wininet shlwapi urlmon)

# The Windows layers: the common helpers, the GUI class library and the
# skinners, each with what it may use; the rest of the shell above them.
vc_layer(vc_common_win common WINDOWS USES common LIBRARIES vc_common ${VC_WIN_LIBS})
vc_layer(vc_ui ui WINDOWS USES common LIBRARIES vc_common_win vc_common ${VC_WIN_LIBS})
vc_layer(vc_skin_win skin/win WINDOWS USES ui skin/look skin/format common
  LIBRARIES vc_ui vc_skin_look vc_skin_format vc_common_win vc_common ${VC_WIN_LIBS})
vc_windows_sources(VC_SHELL_SOURCES)
add_library(vc_shell STATIC ${VC_SHELL_SOURCES})
target_link_libraries(vc_shell PUBLIC vc_core vc_skin_win vc_ui vc_common_win ${VC_WIN_LIBS})

# The runtime's pictures are drawn by the native tools, built first.
set(VC_HOST_BUILD ${PROJECT_SOURCE_DIR}/build CACHE PATH "The native build whose tools make the runtime's resources")
set(VC_ART ${VC_HOST_BUILD}/tools/art/vellumcast-art)
if(NOT EXISTS ${VC_ART})
  message(FATAL_ERROR "${VC_ART} is missing: build the native tree (${VC_HOST_BUILD}) first")
endif()
set(VC_RESOURCES ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${VC_RESOURCES})
# The tool bar strips, one for each scale the window picks from (100 %,
# 125 %, 150 %, 200 %), travel compressed: they are mostly transparent pixels.
set(VC_SCALED_STRIPS)
set(VC_SCALED_STRIP_COMMANDS)
foreach(size 24 30 36 48)
  list(APPEND VC_SCALED_STRIPS ${VC_RESOURCES}/toolbar_${size}.vclzh ${VC_RESOURCES}/toolbar_disabled_${size}.vclzh)
  list(APPEND VC_SCALED_STRIP_COMMANDS
    COMMAND ${VC_ART} toolbar ${VC_RESOURCES}/toolbar_${size}.vclzh --size ${size} --compressed
    COMMAND ${VC_ART} toolbar ${VC_RESOURCES}/toolbar_disabled_${size}.vclzh --disabled --size ${size} --compressed)
endforeach()
add_custom_command(
  OUTPUT ${VC_RESOURCES}/vellumcast.ico ${VC_SCALED_STRIPS}
  ${VC_SCALED_STRIP_COMMANDS}
  COMMAND ${VC_ART} icon ${VC_RESOURCES}/vellumcast.ico
  DEPENDS ${VC_ART}
  COMMENT "Drawing the tool bar images and the program icon")

# The sixteen built-in skins, drawn from skins/NN-name.theme into the store
# items SkinItem0 to SkinItem15 that the resource script names.
set(VC_SKIN_TOOL ${VC_HOST_BUILD}/tools/skin/vellumcast-skin)
if(NOT EXISTS ${VC_SKIN_TOOL})
  message(FATAL_ERROR "${VC_SKIN_TOOL} is missing: build the native tree (${VC_HOST_BUILD}) first")
endif()
file(GLOB VC_THEMES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/skins/[0-9][0-9]-*.theme)
list(LENGTH VC_THEMES theme_count)
if(NOT theme_count EQUAL 16)
  message(FATAL_ERROR "skins/ holds ${theme_count} themes; the runtime carries exactly 16")
endif()
set(VC_SKIN_ITEMS)
foreach(theme ${VC_THEMES})
  get_filename_component(theme_name ${theme} NAME)
  string(SUBSTRING ${theme_name} 0 2 number)
  math(EXPR number "${number}")
  set(item ${VC_RESOURCES}/SkinItem${number}.vcskin)
  add_custom_command(OUTPUT ${item}
    COMMAND ${VC_SKIN_TOOL} generate ${theme} -o ${item}
    DEPENDS ${VC_SKIN_TOOL} ${theme}
    COMMENT "Drawing skin ${number} from ${theme_name}"
    VERBATIM)
  list(APPEND VC_SKIN_ITEMS ${item})
endforeach()

add_custom_target(vc_resources DEPENDS
  ${VC_RESOURCES}/vellumcast.ico ${VC_SCALED_STRIPS}
  ${VC_SKIN_ITEMS})

add_executable(vellumcast WIN32
  src/runtime/vellumcast_runtime_win.cpp
  src/runtime/vellumcast_win.rc)
target_link_libraries(vellumcast PRIVATE vc_shell)
target_include_directories(vellumcast PRIVATE ${VC_RESOURCES})
add_dependencies(vellumcast vc_resources)
# The runtime with its sixteen skins and its tool bar images for every
# scale stays within its budget.
# One-file books bring the protocol that serves their pages and the decoder.
set(VC_RUNTIME_BUDGET 1250000 CACHE STRING "Most bytes a release vellumcast.exe may take")
# A tree configured with an earlier budget takes the new one; a budget set by
# hand stays.
if(VC_RUNTIME_BUDGET EQUAL 1200000)
  set(VC_RUNTIME_BUDGET 1250000 CACHE STRING "Most bytes a release vellumcast.exe may take" FORCE)
endif()
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  add_custom_command(TARGET vellumcast POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:vellumcast> -DBUDGET=${VC_RUNTIME_BUDGET}
            -P ${PROJECT_SOURCE_DIR}/cmake/check_size.cmake
    VERBATIM)
endif()
set_source_files_properties(src/runtime/vellumcast_win.rc PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/src/runtime/vellumcast.manifest;${VC_RESOURCES}/vellumcast.ico;${VC_SCALED_STRIPS};${VC_SKIN_ITEMS}")

# GoogleTest from Debian's sources, cross-compiled.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB VC_WIN_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win/*.cpp ${PROJECT_SOURCE_DIR}/tests/win/*.rc)
add_executable(vc_win_tests ${VC_WIN_TESTS})
target_link_libraries(vc_win_tests PRIVATE vc_shell winspool gtest gtest_main)
# Some tests look at the runtime beside them.
add_dependencies(vc_win_tests vellumcast)
add_test(NAME win COMMAND vc_win_tests)

add_executable(vc_observer tests/e2e/observer_win.cpp)
target_link_libraries(vc_observer PRIVATE ${VC_WIN_LIBS})

if(EXISTS ${PROJECT_SOURCE_DIR}/tools/pack/CMakeLists.txt)
  add_subdirectory(tools/pack)
endif()

# The start-up benchmark (scripts/bench): a launcher that times programs
# until their window shows, and the floor it compares the runtime with.
add_executable(startup_floor WIN32 bench/startup_floor_win.cpp)
target_link_libraries(startup_floor PRIVATE user32 gdi32)
add_executable(startup_launcher bench/startup_launcher_win.cpp)
target_link_libraries(startup_launcher PRIVATE psapi)
add_executable(search_typing bench/search_typing_win.cpp)
target_link_libraries(search_typing PRIVATE psapi)
