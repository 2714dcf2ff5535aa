# Source lists by naming rule: files ending in _win talk to Windows, all
# others are portable. Globbing lets each subsystem add files without
# touching the build.
set(VC_SUBSYSTEMS common book search runtime window interpreter menus skin effects)

function(vc_portable_sources out)
  set(result)
  foreach(dir ${VC_SUBSYSTEMS})
    file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
    list(FILTER files EXCLUDE REGEX "_win\\.cpp$")
    list(APPEND result ${files})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# The Windows files of src/, without the program entry.
function(vc_windows_sources out)
  set(result)
  foreach(dir ui ${VC_SUBSYSTEMS})
    file(GLOB files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*_win.cpp)
    list(APPEND result ${files})
  endforeach()
  list(FILTER result EXCLUDE REGEX "/vellumcast_runtime_win\\.cpp$")
  set(${out} ${result} PARENT_SCOPE)
endfunction()
