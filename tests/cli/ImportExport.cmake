# vdxtool import and export: documents from text files, text files from
# documents, byte for byte; failures write nothing and keep existing files.
#   cmake -DVDXTOOL=... -DMAKE_SAMPLE=... -DWORK=<dir> -P ImportExport.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
string(ASCII 13 CR)
string(ASCII 14 SO)

function(run what expect_rc out_re err_re)
  execute_process(COMMAND ${VDXTOOL} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
  if(NOT rc EQUAL expect_rc OR NOT out MATCHES "${out_re}" OR NOT err MATCHES "${err_re}")
    message(FATAL_ERROR "${what}: exit ${rc}, expected ${expect_rc}\nstdout:\n${out}\nstderr:\n${err}\n"
                        "expected stdout: ${out_re}\nexpected stderr: ${err_re}")
  endif()
endfunction()

function(expect_bytes what path hex)
  file(READ "${path}" got HEX)
  if(NOT got STREQUAL "${hex}")
    message(FATAL_ERROR "${what}: ${path} holds\n${got}\nexpected\n${hex}")
  endif()
endfunction()

function(expect_missing what path)
  if(EXISTS "${path}")
    message(FATAL_ERROR "${what}: ${path} was written")
  endif()
endfunction()

# Blanks between the tips, an empty line; lines sorted by tips after the import.
file(WRITE "${WORK}/lines.txt" "2 X 1${CR}\n${CR}\n1 x 2${CR}\n")
run("import text" 0 "Imported data of .*lines.txt\nMatches: 3, lines: 2\n" "^$"
    import text ${WORK}/lines.txt -o ${WORK}/lines.vdx)
run("show import" 0 "Distribution: up to date \\(2 lines of 3 matches\\).*Line 1:  1 X 2\n  Line 2:  2 X 1\n" ""
    show ${WORK}/lines.vdx)
run("import reversed" 0 "Matches: 2, lines: 3\n" "" import reversed ${WORK}/lines.txt -o ${WORK}/reversed.vdx)

run("export pc" 0 "Text File for PC/OS2: File .*out.txt saved\n" "^$" export pc ${WORK}/lines.vdx ${WORK}/out.txt)
expect_bytes("pc" "${WORK}/out.txt" "3158320d0a3258310d0a")
run("export unix" 0 "" "^$" export unix ${WORK}/lines.vdx ${WORK}/out.txt)
expect_bytes("unix" "${WORK}/out.txt" "3158320a3258310a")
run("export mac" 0 "" "^$" export mac ${WORK}/lines.vdx ${WORK}/out.txt)
expect_bytes("mac" "${WORK}/out.txt" "3158320d3258310d")

# Totocalcio: 14 matches; record 3 (1 or X) in the first match gives two lines.
file(WRITE "${WORK}/system.col" "31111111111114\n")
run("import totocalcio" 0 "Matches: 14, lines: 2\n" "" import totocalcio ${WORK}/system.col -o ${WORK}/system.vdx)
run("export totocalcio" 0 "Text File for Totocalcio: " "^$" export totocalcio ${WORK}/system.vdx ${WORK}/out.col)
# CR, "11111111111114" CR, "21111111111114" CR, 13 blanks "2" CR, "0" 13 blanks
expect_bytes("totocalcio" "${WORK}/out.col"
  "0d31313131313131313131313131340d32313131313131313131313131340d20202020202020202020202020320d3020202020202020202020202020")
run("export totocalcio-special" 0 "" "^$" export totocalcio-special ${WORK}/system.vdx ${WORK}/out.col)
expect_bytes("totocalcio special" "${WORK}/out.col"
  "0e31313131313131313131313131340e32313131313131313131313131340e20202020202020202020202020320e3020202020202020202020202020")
# Read back: the same document.
run("import export" 0 "Matches: 14, lines: 2\n" "" import totocalcio ${WORK}/out.col -o ${WORK}/back.vdx)
execute_process(COMMAND ${VDXTOOL} show ${WORK}/system.vdx OUTPUT_VARIABLE first)
execute_process(COMMAND ${VDXTOOL} show ${WORK}/back.vdx OUTPUT_VARIABLE second)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "export and import changed the document:\n${first}\n---\n${second}")
endif()

# Refusals: the message, exit status 1, nothing written, existing files kept.
file(WRITE "${WORK}/ragged.txt" "12\n1X2\n")
run("ragged" 1 "^$" "File .*ragged.txt is not a suitable text file.\n" import text ${WORK}/ragged.txt -o ${WORK}/new.vdx)
run("ragged reversed" 1 "^$" "File .*ragged.txt is not a suitable reversed text file.\n"
    import reversed ${WORK}/ragged.txt -o ${WORK}/new.vdx)
file(WRITE "${WORK}/single.col" "1\n2\n")
run("one digit records" 1 "^$" "File .*single.col is not a Totocalcio-File.\n"
    import totocalcio ${WORK}/single.col -o ${WORK}/new.vdx)
string(REPEAT "1X2${CR}\n" 1001 many)
file(WRITE "${WORK}/many.txt" "${many}")
run("too many lines" 1 "^$" "File .*many.txt has too many lines.\n" import text ${WORK}/many.txt -o ${WORK}/new.vdx)
run("missing file" 1 "^$" "Error reading the file\n.*nothing.txt\nNo such file or directory.\n"
    import text ${WORK}/nothing.txt -o ${WORK}/new.vdx)
expect_missing("failed imports" "${WORK}/new.vdx")

run("totocalcio of 3 matches" 1 "^$"
    "Sorry, cannot save this file with type 'Totocalcio' :\nType 'Totocalcio' needs the tips of exactly 14 matches.\n"
    export totocalcio ${WORK}/lines.vdx ${WORK}/new.col)
expect_missing("3 matches" "${WORK}/new.col")
run("extension answered no" 1 "^$"
    "File type and file extension do not correspond!\nlines.col will be saved with the format for Unix.\nDo you want to create the text file\\?\n-> No\n"
    export unix ${WORK}/lines.vdx ${WORK}/lines.col --answer-no)
expect_missing("answered no" "${WORK}/lines.col")
run("extension answered yes" 0 "" "-> Yes\n" export unix ${WORK}/lines.vdx ${WORK}/lines.col)
expect_bytes("answered yes" "${WORK}/lines.col" "3158320a3258310a")

file(WRITE "${WORK}/readonly.txt" "old contents")
file(CHMOD "${WORK}/readonly.txt" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
run("read-only target" 1 "^$" "Sorry, could not open this file for saving.\nThe file is read-only.\n"
    export pc ${WORK}/lines.vdx ${WORK}/readonly.txt)
file(READ "${WORK}/readonly.txt" kept)
if(NOT kept STREQUAL "old contents")
  message(FATAL_ERROR "the read-only file was changed")
endif()
execute_process(COMMAND ${MAKE_SAMPLE} ${WORK}/nolines.vdx 3 5 1)
run("document without lines" 1 "^$" "The document has no lines to export.\n" export pc ${WORK}/nolines.vdx ${WORK}/x.txt)
expect_missing("without lines" "${WORK}/x.txt")
