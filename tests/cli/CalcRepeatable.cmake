# vdxtool calc --repeatable twice on one generated document must write the
# same file, with and without the deeper search; a third run without
# --repeatable still gives a complete document.
#   cmake -DVDXTOOL=... -DMAKE_SAMPLE=... -DWORK=<dir> -P CalcRepeatable.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\nstdout:\n${out}\nstderr:\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

run(${MAKE_SAMPLE} ${WORK}/in.vdx 12 30 4711)
foreach(i 1 2)
  run(${VDXTOOL} calc ${WORK}/in.vdx -o ${WORK}/out${i}.vdx --repeatable --rounds 6 --tries 150 --extra 150)
  set(out${i} "${out}")
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/out1.vdx ${WORK}/out2.vdx RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "two repeatable calculations wrote different files")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/in.vdx ${WORK}/out1.vdx RESULT_VARIABLE same)
if(same EQUAL 0)
  message(FATAL_ERROR "the calculation wrote the document unchanged")
endif()
if(NOT out1 MATCHES "Equals  Pairs\n +0  [0-9]+\n.*\n +12  [-0-9]+\nbest: (Round [1-6]|old distribution)\ntime spent: [0-9]+:[0-9][0-9]:[0-9][0-9],[0-9][0-9]\n$")
  message(FATAL_ERROR "unexpected figures:\n${out1}")
endif()
# Everything but the time is the same in both runs.
string(REGEX REPLACE "time spent: [^\n]*" "" a "${out1}")
string(REGEX REPLACE "time spent: [^\n]*" "" b "${out2}")
if(NOT a STREQUAL b)
  message(FATAL_ERROR "figures differ:\n${out1}\n---\n${out2}")
endif()

# The written document holds an up-to-date distribution and can be calculated on.
run(${VDXTOOL} show ${WORK}/out1.vdx)
if(NOT out MATCHES "Distribution: up to date \\(30 lines of 12 matches\\)")
  message(FATAL_ERROR "written document:\n${out}")
endif()
run(${VDXTOOL} calc ${WORK}/out1.vdx -o ${WORK}/out3.vdx --rounds 2 --tries 50 --extra 0)

# The deeper search counts steps in the repeatable mode: the same file again,
# and never worse than the rounds alone.
foreach(i 1 2)
  run(${VDXTOOL} calc ${WORK}/in.vdx -o ${WORK}/searched${i}.vdx --repeatable --rounds 6 --tries 150 --extra 150
      --search 1)
  set(searched${i} "${out}")
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/searched1.vdx ${WORK}/searched2.vdx
                RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "two repeatable calculations with the search wrote different files")
endif()
# The highest level with pairs, and its pairs: "<level>  <pairs>" is the last such line.
function(top_level text result)
  string(REGEX MATCHALL "\n +[0-9]+  [0-9]+" rows "${text}")
  list(GET rows -1 last)
  string(REGEX MATCH " +([0-9]+)  ([0-9]+)" _ "${last}")
  math(EXPR value "${CMAKE_MATCH_1} * 1000000 + ${CMAKE_MATCH_2}")
  set(${result} ${value} PARENT_SCOPE)
endfunction()
top_level("${out1}" plain)
top_level("${searched1}" searched)
if(searched GREATER plain)
  message(FATAL_ERROR "the search made it worse:\n${out1}\n---\n${searched1}")
endif()
