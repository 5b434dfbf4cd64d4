# cmake -P script: runs a program of the Windows build under the emulator and
# the same program of the native build, and fails unless both print the same
# bytes. Exits with 77 (skipped) when there is no native build to compare with.
#   -DEMULATOR=... -DWINDOWS_PROGRAM=... -DNATIVE_PROGRAM=... -DWORK_DIR=...
if(NOT EXISTS "${NATIVE_PROGRAM}")
  message("no native build at ${NATIVE_PROGRAM}: nothing to compare with")
  cmake_language(EXIT 77)
endif()
execute_process(COMMAND ${EMULATOR} ${WINDOWS_PROGRAM}
                OUTPUT_FILE ${WORK_DIR}/windows.out RESULT_VARIABLE windows_status)
execute_process(COMMAND ${NATIVE_PROGRAM}
                OUTPUT_FILE ${WORK_DIR}/native.out RESULT_VARIABLE native_status)
if(NOT windows_status EQUAL 0 OR NOT native_status EQUAL 0)
  message(FATAL_ERROR "exit status: windows ${windows_status}, native ${native_status}")
endif()
file(SIZE ${WORK_DIR}/windows.out windows_size)
if(windows_size EQUAL 0)
  message(FATAL_ERROR "the Windows program printed nothing")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/windows.out
                        ${WORK_DIR}/native.out RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the builds disagree: diff ${WORK_DIR}/windows.out ${WORK_DIR}/native.out")
endif()
message("both builds printed the same ${windows_size} bytes")
