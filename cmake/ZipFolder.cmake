# Packs FOLDER's files and folders into the zip ZIP, the same bytes for the same files: the
# entries in the byte order of their names (a folder before what it holds), each with its time,
# written in UTC, and its Unix mode only, no owner or further times (zip -X). A directory's own
# order, which cpack's zip follows, depends on the file system.
#
#   cmake -D FOLDER=<folder> -D ZIP=<zip> -P ZipFolder.cmake
include(${CMAKE_CURRENT_LIST_DIR}/StagedFiles.cmake)
quendra_require_arguments(ZipFolder.cmake FOLDER ZIP)
find_program(zip_program zip)
if(NOT zip_program)
    message(FATAL_ERROR "zip is missing: apt-get install zip")
endif()

quendra_staged_entries(entries ${FOLDER} true)
list(JOIN entries "\n" names)
file(WRITE ${ZIP}.names "${names}\n")
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 ${zip_program} -q -X ${ZIP} -@
    WORKING_DIRECTORY ${FOLDER}
    INPUT_FILE ${ZIP}.names
    RESULT_VARIABLE result)
file(REMOVE ${ZIP}.names)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "zip could not pack ${FOLDER} into ${ZIP}")
endif()
