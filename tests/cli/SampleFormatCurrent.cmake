# The shipped sample format is what tools/make_sample_format writes today.
#   cmake -DMAKE_SAMPLE_FORMAT=... -DSHIPPED=resources/slip12.vdf -DWORK=dir -P SampleFormatCurrent.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${MAKE_SAMPLE_FORMAT}" "${WORK}/slip12.vdf" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make_sample_format failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/slip12.vdf" "${SHIPPED}" RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${SHIPPED} is out of date; run make_sample_format ${SHIPPED}")
endif()
