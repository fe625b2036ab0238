# Runs one command and checks its exit status and output.
#   cmake -DCMD="prog|arg|..." -DEXPECT_RC=0|nonzero|<n> [-DSTDOUT_RE=...] [-DSTDERR_RE=...]
#         [-DSTDOUT_NOT_RE=...] -P RunCheck.cmake
string(REPLACE "|" ";" CMD "${CMD}")
execute_process(COMMAND ${CMD}
                RESULT_VARIABLE rc
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
set(report "command: ${CMD}\nexit: ${rc}\nstdout:\n${out}\nstderr:\n${err}")
if(EXPECT_RC STREQUAL "nonzero")
  if(rc EQUAL 0 OR NOT rc MATCHES "^[0-9]+$")
    message(FATAL_ERROR "expected a non-zero exit status\n${report}")
  endif()
elseif(NOT rc STREQUAL "${EXPECT_RC}")
  message(FATAL_ERROR "expected exit status ${EXPECT_RC}\n${report}")
endif()
if(DEFINED STDOUT_RE AND NOT out MATCHES "${STDOUT_RE}")
  message(FATAL_ERROR "stdout does not match '${STDOUT_RE}'\n${report}")
endif()
if(DEFINED STDERR_RE AND NOT err MATCHES "${STDERR_RE}")
  message(FATAL_ERROR "stderr does not match '${STDERR_RE}'\n${report}")
endif()
if(DEFINED STDOUT_NOT_RE AND out MATCHES "${STDOUT_NOT_RE}")
  message(FATAL_ERROR "stdout matches '${STDOUT_NOT_RE}'\n${report}")
endif()
