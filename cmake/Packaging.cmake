# The packages, made from the install rules. On Linux a Debian package, built by debhelper from
# debian/ with `dpkg-buildpackage` (scripts/package does all of it), installing under /usr: the
# program and lame.bin in /usr/lib/quendra-orvo, the link /usr/bin/quendra-orvo, the desktop
# entry and the icons (DesktopInstall.cmake), the manual page and the AppStream metadata (here);
# debhelper adds the copyright file and the changelog, and compresses. On Windows a zip and an
# installer made with NSIS, the targets `zip` and `installer` (cmake/WindowsPackages.cmake;
# `cpack -G ZIP` makes the same files in an order of the file system's); both made by
# scripts/package-windows: Project1.exe, lame.bin, README.txt and the licences of the libraries
# in lame.bin.

if(WIN32)
    set(CPACK_PACKAGE_NAME quendra-orvo)
    set(CPACK_PACKAGE_VENDOR "${QUENDRA_PUBLISHER}")
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SOURCE_GENERATOR "")
    set(CPACK_STRIP_FILES ON)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(CPACK_SYSTEM_NAME win32)
    else()
        set(CPACK_SYSTEM_NAME win64)
    endif()
    install(FILES ${PROJECT_SOURCE_DIR}/resources/README-Windows.txt DESTINATION .
            RENAME README.txt)
    # The encoder beside the program, when this build makes it (lamebin/).
    if(TARGET lamebin)
        install(TARGETS lamebin RUNTIME DESTINATION .)
    endif()
    # The licences the libraries in lame.bin ask to be shipped with it, and where their sources
    # come from: a folder of text files made where the libraries are built.
    if(DEFINED QUENDRA_WINDOWS_LICENSES)
        install(DIRECTORY ${QUENDRA_WINDOWS_LICENSES}/ DESTINATION licenses)
    endif()
endif()

if(UNIX AND NOT APPLE)
    # The manual page and what software centres list name the project's version.
    include(GNUInstallDirs)
    set(package_dir ${CMAKE_BINARY_DIR}/package)
    foreach(file quendra-orvo.1 quendra-orvo.metainfo.xml)
        configure_file(${PROJECT_SOURCE_DIR}/resources/${file}.in ${package_dir}/${file} @ONLY)
    endforeach()
    install(FILES ${package_dir}/quendra-orvo.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${package_dir}/quendra-orvo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo
        RENAME org.example.quendra_orvo.metainfo.xml)
endif()

if(WIN32)
    include(CPack)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackages.cmake)
endif()

# The README's package list test: only in a build with tests and with the window.
if(QUENDRA_BUILD_TESTS AND TARGET Project1 AND TARGET lamebin
   AND EXISTS ${PROJECT_SOURCE_DIR}/tests/package/CMakeLists.txt)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/package ${CMAKE_BINARY_DIR}/tests/package)
endif()
