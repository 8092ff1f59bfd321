# What the scripts run on the Windows packages' installed files share (NsisFileList.cmake,
# SourceDateTimes.cmake, ZipFolder.cmake): their -D arguments checked, and the files listed.

# quendra_require_arguments(SCRIPT VARIABLE...): stops unless each VARIABLE was given with -D.
function(quendra_require_arguments script)
    foreach(variable IN LISTS ARGN)
        if(NOT DEFINED ${variable})
            message(FATAL_ERROR "${script} needs -D ${variable}=...")
        endif()
    endforeach()
endfunction()

# quendra_staged_entries(RESULT FOLDER true|false): the paths below FOLDER, relative to it, in the
# byte order of their names, the folders among them or not; stops where there are none.
function(quendra_staged_entries result folder list_directories)
    file(GLOB_RECURSE entries LIST_DIRECTORIES ${list_directories} RELATIVE ${folder} ${folder}/*)
    if(NOT entries)
        message(FATAL_ERROR "No files in ${folder}: the install rules installed nothing")
    endif()
    list(SORT entries)
    set(${result} ${entries} PARENT_SCOPE)
endfunction()
