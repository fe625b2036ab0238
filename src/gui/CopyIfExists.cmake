# cmake -DSRC=... -DDST=... -P CopyIfExists.cmake: copies when SRC exists, else does nothing.
if(EXISTS "${SRC}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${SRC}" "${DST}")
endif()
