# Keeps the layers apart: a library may link only the targets it is allowed. Qt or a platform
# library showing up in the core or the window description fails the configuration; a toolkit
# header included there fails the build, as neither has the toolkit's include paths.
function(quendra_allow_links target)
    get_target_property(links ${target} LINK_LIBRARIES)
    if(NOT links)
        return()
    endif()
    foreach(link IN LISTS links)
        if(NOT link IN_LIST ARGN)
            message(FATAL_ERROR "${target} may link only [${ARGN}], but links ${link}")
        endif()
    endforeach()
endfunction()
