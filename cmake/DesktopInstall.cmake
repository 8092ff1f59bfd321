# How the Qt build is installed. The program, the encoder and the starter go side by side: the
# launcher looks beside the program. On Linux both live in a program folder of their own, and a relative
# symbolic link on PATH, quendra-orvo, starts the program; the program finds its folder through
# /proc/self/exe, so the link still finds "lame.bin". The desktop entry starts the program through
# that link, and the icons go into the hicolor theme.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/Pictures.cmake)
set(resources ${PROJECT_SOURCE_DIR}/resources)

if(UNIX AND NOT APPLE)
    set(QUENDRA_INSTALL_PROGRAMDIR "lib/quendra-orvo" CACHE STRING
        "Folder, relative to the install prefix, that holds the program and lame.bin")
    set(QUENDRA_LAUNCHER_NAME "quendra-orvo" CACHE STRING "Name of the program's link on PATH")
    if(IS_ABSOLUTE "${QUENDRA_INSTALL_PROGRAMDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
        message(FATAL_ERROR "QUENDRA_INSTALL_PROGRAMDIR and CMAKE_INSTALL_BINDIR must be relative "
                            "to the install prefix.")
    endif()
    set(program_dir ${QUENDRA_INSTALL_PROGRAMDIR})
else()
    set(program_dir ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS Project1 RUNTIME DESTINATION ${program_dir})
if(TARGET lamebin)
    install(TARGETS lamebin RUNTIME DESTINATION ${program_dir})
endif()
# The starter a terminal window runs for the encoder, beside the program, where it is looked for.
if(TARGET starter)
    install(TARGETS starter RUNTIME DESTINATION ${program_dir})
endif()

if(UNIX AND NOT APPLE)
    set(desktop_dir ${CMAKE_BINARY_DIR}/desktop)
    # The link is made here and installed as a link, so that the install manifest lists it.
    file(RELATIVE_PATH link_target /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${program_dir}/Project1)
    set(link ${desktop_dir}/${QUENDRA_LAUNCHER_NAME})
    file(MAKE_DIRECTORY ${desktop_dir})
    file(CREATE_LINK ${link_target} ${link} SYMBOLIC)
    install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR})

    file(READ ${resources}/quendra-orvo.desktop desktop_entry)
    string(REGEX REPLACE "\nExec=[^\n]*" "\nExec=${QUENDRA_LAUNCHER_NAME}" desktop_entry
        "${desktop_entry}")
    file(CONFIGURE OUTPUT ${desktop_dir}/quendra-orvo.desktop CONTENT "${desktop_entry}" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        ${resources}/quendra-orvo.desktop)
    install(FILES ${desktop_dir}/quendra-orvo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size IN LISTS QUENDRA_ICON_SIZES)
        install(FILES ${resources}/icon-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME quendra-orvo.png)
    endforeach()
endif()
