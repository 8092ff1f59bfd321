# Gives FOLDER and everything in it the time SOURCE_DATE_EPOCH names, when it is set: the zip and
# the installer keep each file's time, and the build's own time would make every package differ.
#
#   cmake -D FOLDER=<folder> -P SourceDateTimes.cmake
if(NOT DEFINED FOLDER)
    message(FATAL_ERROR "SourceDateTimes.cmake needs -D FOLDER=...")
endif()
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()
set(time $ENV{SOURCE_DATE_EPOCH})
file(GLOB_RECURSE entries LIST_DIRECTORIES true ${FOLDER}/*)
execute_process(COMMAND touch --no-dereference --date=@${time} -- ${FOLDER} ${entries}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "touch could not give the files in ${FOLDER} the time ${time}")
endif()
