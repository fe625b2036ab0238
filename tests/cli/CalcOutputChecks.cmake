# vdxtool finds out before calculating that -o cannot be written, refuses to
# replace a read-only file, and gives the reason of a file it cannot read.
#   cmake -DVDXTOOL=... -DMAKE_SAMPLE=... -DWORK=<dir> -P CalcOutputChecks.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
# Long enough (14 x 1000, 1000 rounds) that a calculation would show.
execute_process(COMMAND ${MAKE_SAMPLE} ${WORK}/in.vdx 14 1000 1000 RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot make the document")
endif()

function(expect_refusal what err_re)
  execute_process(COMMAND ${VDXTOOL} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
  if(NOT rc EQUAL 1 OR NOT err MATCHES "${err_re}" OR NOT out STREQUAL "")
    message(FATAL_ERROR "${what}: exit ${rc}\nstdout:\n${out}\nstderr:\n${err}\nexpected stderr: ${err_re}")
  endif()
endfunction()

# A read-only output file: refused before the calculation, and left as it was
# (also for root, whom only the mode bits stop).
file(WRITE "${WORK}/readonly.vdx" "old contents")
file(CHMOD "${WORK}/readonly.vdx" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
expect_refusal("read-only output" "Cannot write file .*readonly.vdx\nThe file is read-only.\n"
               calc ${WORK}/in.vdx -o ${WORK}/readonly.vdx)
file(READ "${WORK}/readonly.vdx" kept)
if(NOT kept STREQUAL "old contents")
  message(FATAL_ERROR "the read-only file was changed")
endif()

expect_refusal("missing folder" "Cannot write file .*new.vdx\nNo file can be made in this folder: No such file or directory.\n"
               calc ${WORK}/in.vdx -o ${WORK}/missing/new.vdx)
file(GLOB left "${WORK}/*")
list(LENGTH left count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "files left behind: ${left}")
endif()

# Files that cannot be read say why.
file(WRITE "${WORK}/cut.vdx" "")
expect_refusal("empty file" "Error reading the file\n.*cut.vdx\nThe file is empty.\n" show ${WORK}/cut.vdx)
execute_process(COMMAND head -c 212 "${WORK}/in.vdx" OUTPUT_FILE "${WORK}/cut.vdx")
expect_refusal("truncated file" "Error reading the file\n.*cut.vdx\nThe file ends after 212 of at least [0-9]+ bytes.\n"
               calc ${WORK}/cut.vdx)
expect_refusal("missing file" "Cannot open file .*nothing.vdx\nNo such file or directory.\n" show ${WORK}/nothing.vdx)
