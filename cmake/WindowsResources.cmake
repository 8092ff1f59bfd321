# The Windows program's resources, resources/Project1.rc.in: the icon, the version record with
# the product's version, the application manifest and the window's pictures. Made once per build
# folder and compiled into each target that asks for them.
include(${CMAKE_CURRENT_LIST_DIR}/Version.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Pictures.cmake)

function(quendra_windows_resources target)
    get_filename_component(QUENDRA_RESOURCES ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../resources
                           ABSOLUTE)
    set(rc ${CMAKE_BINARY_DIR}/resources/Project1.rc)
    configure_file(${QUENDRA_RESOURCES}/Project1.rc.in ${rc} @ONLY)
    # The files the script names are not scanned for, so a change to one would go unnoticed.
    set(named ${QUENDRA_RESOURCES}/quendra-orvo.ico ${QUENDRA_RESOURCES}/Project1.manifest)
    foreach(picture IN LISTS QUENDRA_PICTURES)
        list(APPEND named ${QUENDRA_RESOURCES}/${picture}.bmp)
    endforeach()
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${named}")
    target_sources(${target} PRIVATE ${rc})
endfunction()
