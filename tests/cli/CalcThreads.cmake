# vdxtool calc --repeatable on one, two and three threads must write the very
# file (and print the very figures) that the one-thread calculation wrote
# before the rounds could run side by side; those are kept under data/threads:
# NAME.vdx is calculated with the options in NAME.args into NAME.expected.vdx,
# printing NAME.expected.txt (without the time line).
#   cmake -DVDXTOOL=... -DDATA=<data/threads> -DWORK=<dir> -P CalcThreads.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

file(GLOB inputs "${DATA}/*.args")
list(LENGTH inputs count)
if(count LESS 3)
  message(FATAL_ERROR "fixtures missing under ${DATA}")
endif()
foreach(argsFile ${inputs})
  get_filename_component(name "${argsFile}" NAME_WE)
  file(READ "${argsFile}" args)
  string(STRIP "${args}" args)
  separate_arguments(args UNIX_COMMAND "${args}")
  file(READ "${DATA}/${name}.expected.txt" expected)
  foreach(threads 1 2 3)
    set(out "${WORK}/${name}.${threads}.vdx")
    execute_process(COMMAND ${VDXTOOL} calc "${DATA}/${name}.vdx" --repeatable ${args} --threads ${threads} -o "${out}"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE printed ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${name}, ${threads} threads: failed (${rc})\n${printed}\n${err}")
    endif()
    string(REGEX REPLACE "time spent: [^\n]*\n" "" printed "${printed}")
    if(NOT printed STREQUAL expected)
      message(FATAL_ERROR "${name}, ${threads} threads: figures differ\n--- expected\n${expected}--- got\n${printed}")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${DATA}/${name}.expected.vdx" "${out}" RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
      message(FATAL_ERROR "${name}, ${threads} threads: the written lines differ from the expected file")
    endif()
  endforeach()
endforeach()
