# Source lists by naming rule: files ending in _win talk to Windows, all
# others are portable. Globbing lets each subsystem add files without
# touching the build.
set(VC_SUBSYSTEMS common book runtime window interpreter menus skin effects)
# The layers that are libraries of their own (vc_layer below); the other
# subsystems make up vc_core and vc_shell.
list(REMOVE_ITEM VC_SUBSYSTEMS common skin)

function(vc_portable_sources out)
  set(result)
  foreach(dir ${VC_SUBSYSTEMS})
    file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
    list(FILTER files EXCLUDE REGEX "_win\\.cpp$")
    list(APPEND result ${files})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# The Windows files of src/, without the program entry and the layers.
function(vc_windows_sources out)
  set(result)
  foreach(dir ${VC_SUBSYSTEMS})
    file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*_win.cpp)
    list(APPEND result ${files})
  endforeach()
  list(FILTER result EXCLUDE REGEX "/vellumcast_runtime_win\\.cpp$")
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# vc_layer(<target> <folder> [WINDOWS] [USES <folder>...] [LIBRARIES <target>...])
# One folder of src/ as a static library that may include only its own
# headers and those of the folders it USES, and links only the LIBRARIES
# named. A portable layer (no WINDOWS) takes the folder's portable files and
# includes no Windows header and no _win header; a WINDOWS layer takes its
# _win files. The build stops at a file that includes past its layer.
function(vc_layer target folder)
  cmake_parse_arguments(LAYER "WINDOWS" "" "USES;LIBRARIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
  if(LAYER_WINDOWS)
    list(FILTER sources INCLUDE REGEX "_win\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
    list(FILTER headers EXCLUDE REGEX "_win\\.h$")
  endif()
  set(allowed ${folder} ${LAYER_USES})
  foreach(file ${sources} ${headers})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(line MATCHES "#[ \t]*include[ \t]*\"(.+)/[^/]+\"")
        set(used ${CMAKE_MATCH_1})
        if(NOT used IN_LIST allowed)
          message(FATAL_ERROR "${file}: the ${folder} layer may not include ${used}/ (${line})")
        endif()
        if(NOT LAYER_WINDOWS AND line MATCHES "_win\\.h\"")
          message(FATAL_ERROR "${file}: a portable layer includes a _win header (${line})")
        endif()
      elseif(NOT LAYER_WINDOWS AND line MATCHES "<(windows|commctrl|ole2|objbase|shlobj|shlwapi|wininet)\\.h>")
        message(FATAL_ERROR "${file}: a portable layer includes a Windows header (${line})")
      endif()
    endforeach()
  endforeach()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${LAYER_LIBRARIES})
endfunction()
