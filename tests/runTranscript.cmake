# Types KEYS into kestro-console --script and compares standard output with
# the .expected file beside it. Options for the run stand in a .args file,
# environment variables (NAME=value, one a line) in a .env file. Each run
# gets a study record of its own, new every time, so no test reads or writes
# a user's record.
get_filename_component(dir ${KEYS} DIRECTORY)
get_filename_component(name ${KEYS} NAME_WE)
set(args "")
if(EXISTS ${dir}/${name}.args)
    file(READ ${dir}/${name}.args argText)
    string(STRIP "${argText}" argText)
    separate_arguments(args UNIX_COMMAND "${argText}")
endif()
if(EXISTS ${dir}/${name}.env)
    file(STRINGS ${dir}/${name}.env envLines)
    foreach(line ${envLines})
        if(line MATCHES "^([A-Za-z_][A-Za-z0-9_]*)=(.*)$")
            set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
        endif()
    endforeach()
endif()
set(record ${CMAKE_CURRENT_BINARY_DIR}/${name}.record.db)
file(REMOVE ${record} ${record}-wal ${record}-shm)
set(ENV{KESTRO_RECORD} ${record})
execute_process(
    COMMAND ${CONSOLE} --script ${KEYS} ${args}
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "kestro-console exited with ${status}: ${errors}")
endif()
file(READ ${dir}/${name}.expected expected)
if(NOT actual STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual "${actual}")
    message(FATAL_ERROR "transcript differs from ${name}.expected; got (also in ${name}.actual):\n${actual}")
endif()
