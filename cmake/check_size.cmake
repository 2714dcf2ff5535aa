# Fails the build when a file has grown past its budget.
#   cmake -DFILE=path -DBUDGET=bytes -P check_size.cmake
file(SIZE "${FILE}" size)
get_filename_component(name "${FILE}" NAME)
if(size GREATER BUDGET)
  math(EXPR over "${size} - ${BUDGET}")
  message(FATAL_ERROR "${name} is ${size} bytes, ${over} over its budget of ${BUDGET} bytes")
endif()
message(STATUS "${name}: ${size} of ${BUDGET} bytes")
