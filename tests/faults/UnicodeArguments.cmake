# Runs vosk1-batch.exe on a table whose name holds a character of no Western code page: under a
# Western locale only arguments taken as UTF-16 find it.
set(work "${WORK_DIR}/unicode-arguments")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
file(COPY "${EXAMPLES}/temp.txt" DESTINATION "${work}")
file(COPY_FILE "${EXAMPLES}/sample.mse" "${work}/表.mse")
execute_process(COMMAND "${EMULATOR}" "${BATCH}" -C "${work}" --table 表.mse
    RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT EXISTS "${work}/jwc_temp.txt")
    message(FATAL_ERROR "vosk1-batch --table 表.mse: status ${status}: ${errors}")
endif()
