# Gives FOLDER and everything in it the time SOURCE_DATE_EPOCH names, when it is set: the zip and
# the installer keep each file's time, and the build's own time would make every package differ.
#
#   cmake -D FOLDER=<folder> -P SourceDateTimes.cmake
include(${CMAKE_CURRENT_LIST_DIR}/StagedFiles.cmake)
quendra_require_arguments(SourceDateTimes.cmake FOLDER)
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()
set(time $ENV{SOURCE_DATE_EPOCH})
quendra_staged_entries(entries ${FOLDER} true)
execute_process(COMMAND touch --no-dereference --date=@${time} -- . ${entries}
    WORKING_DIRECTORY ${FOLDER}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "touch could not give the files in ${FOLDER} the time ${time}")
endif()
