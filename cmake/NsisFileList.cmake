# Writes the installer's file list from the files the install rules put in a folder, so that the
# installer holds what the zip holds and its uninstaller removes exactly that: two NSIS macros,
# QUENDRA_INSTALL_FILES and QUENDRA_REMOVE_FILES (folders last, deepest first, each removed only
# when empty).
#
#   cmake -D STAGE=<folder of the installed files> -D OUTPUT=<files.nsh> -P NsisFileList.cmake
include(${CMAKE_CURRENT_LIST_DIR}/StagedFiles.cmake)
quendra_require_arguments(NsisFileList.cmake STAGE OUTPUT)
quendra_staged_entries(files ${STAGE} false)

set(install "!macro QUENDRA_INSTALL_FILES\n")
set(remove "!macro QUENDRA_REMOVE_FILES\n")
set(folders)
set(current_folder "-")
foreach(file IN LISTS files)
    get_filename_component(folder ${file} DIRECTORY)
    string(REPLACE "/" "\\" windows_file "${file}")
    string(REPLACE "/" "\\" windows_folder "${folder}")
    if(NOT folder STREQUAL current_folder)
        set(current_folder "${folder}")
        if(folder)
            string(APPEND install "    SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
        else()
            string(APPEND install "    SetOutPath \"$INSTDIR\"\n")
        endif()
        while(folder)
            string(REPLACE "/" "\\" windows_folder "${folder}")
            list(APPEND folders "${windows_folder}")
            get_filename_component(folder "${folder}" DIRECTORY)
        endwhile()
    endif()
    string(APPEND install "    File \"${STAGE}/${file}\"\n")
    string(APPEND remove "    Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
# Deepest first: a folder's name sorts after its parent's.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
    string(APPEND remove "    RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
string(APPEND install "!macroend\n")
string(APPEND remove "!macroend\n")
file(WRITE ${OUTPUT} "; Made by cmake/NsisFileList.cmake from ${STAGE}\n${install}${remove}")
