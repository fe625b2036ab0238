# Ctrl+C during vdxtool calc keeps the best distribution so far and writes it.
# The interrupt is sent once by timeout(1) (which also signals its process
# group, so the program may see it twice) and once as two signals a moment apart.
#   cmake -DVDXTOOL=... -DMAKE_SAMPLE=... -DTIMEOUT=<coreutils timeout> -DWORK=<dir> -P CalcInterrupt.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND ${MAKE_SAMPLE} ${WORK}/in.vdx 14 1000 99 RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot make the document")
endif()

function(check_stopped how rc out err output)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${how}: exit ${rc}\nstdout:\n${out}\nstderr:\n${err}")
  endif()
  if(NOT out MATCHES "rounds passed: [1-9][0-9]? of 100.*best: Round [0-9]+\ntime spent: ")
    message(FATAL_ERROR "${how}: unexpected figures:\n${out}")
  endif()
  execute_process(COMMAND ${VDXTOOL} show ${output} RESULT_VARIABLE rc OUTPUT_VARIABLE shown)
  if(NOT rc EQUAL 0 OR NOT shown MATCHES "Distribution: up to date \\(1000 lines of 14 matches\\)")
    message(FATAL_ERROR "${how}: written document (${rc}):\n${shown}")
  endif()
endfunction()

# A round of 14 x 1000 lines with the default options lasts far longer than this.
execute_process(COMMAND ${TIMEOUT} --preserve-status -s INT 2 ${VDXTOOL} calc ${WORK}/in.vdx -o ${WORK}/out.vdx
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
check_stopped("timeout" "${rc}" "${out}" "${err}" ${WORK}/out.vdx)

execute_process(COMMAND sh -c "\"$0\" calc \"$1\" -o \"$2\" & pid=$!; sleep 2; kill -INT $pid; sleep 0.01; kill -INT $pid; wait $pid"
                        ${VDXTOOL} ${WORK}/in.vdx ${WORK}/twice.vdx
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
check_stopped("two interrupts" "${rc}" "${out}" "${err}" ${WORK}/twice.vdx)
