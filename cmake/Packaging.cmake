# The packages, made from the install rules. On Linux a Debian package, made by CPack,
# `cpack -G DEB` in a Release build (scripts/package does all of it), installing under /usr: the
# program and lame.bin in /usr/lib/quendra-orvo, the link /usr/bin/quendra-orvo, the desktop
# entry and the icons. On Windows a zip and an installer made with NSIS, the targets `zip` and
# `installer` (cmake/WindowsPackages.cmake; `cpack -G ZIP` makes the same files in an order of the
# file system's); both made by scripts/package-windows: Project1.exe, lame.bin, README.txt and the
# licences of the libraries in lame.bin.

set(CPACK_PACKAGE_NAME quendra-orvo)
set(CPACK_PACKAGE_VENDOR "${QUENDRA_PUBLISHER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION [[
A one-window front-end for the LAME MP3 encoder: pick an input audio file and
an output MP3 path, set the encoding options on the window and start the
encoder in a terminal window.]])
set(CPACK_PACKAGE_CONTACT "Quendra orvo packaging <packaging@quendra-orvo.example.org>")
if(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
elseif(WIN32)
    set(CPACK_GENERATOR ZIP)
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
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries (Qt 6, LAME's library, libsndfile, the C++ runtime) come from
# dpkg-shlibdeps; the rest is what the program starts: a terminal window for lame.bin, and the
# window's font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, xterm | x-terminal-emulator")
# Qt's Wayland platform plugin: with it the window is native in a Wayland session (sharp at any
# scale, the session's own input); without it the window runs through XWayland. X11 sessions
# use neither. Qt's translations: with them Qt's own texts (the file choosers, the message box's
# buttons, the fields' context menus) are in the desktop's language; without them, English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")

# CPack quietly leaves the library dependencies out when dpkg-shlibdeps or file is missing;
# a package without them must not be made.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake)
file(CONFIGURE OUTPUT ${CPACK_PROJECT_CONFIG_FILE} CONTENT [[
if(CPACK_GENERATOR STREQUAL "DEB")
    cmake_policy(PUSH)
    cmake_policy(SET CMP0109 NEW) # a program is found only where it may be run
    find_program(QUENDRA_SHLIBDEPS dpkg-shlibdeps)
    find_program(QUENDRA_FILE file)
    cmake_policy(POP)
    if(NOT QUENDRA_SHLIBDEPS OR NOT QUENDRA_FILE)
        message(FATAL_ERROR "The Debian package needs dpkg-shlibdeps and file to list its "
                            "library dependencies: apt-get install dpkg-dev file")
    endif()
endif()
]])

# The licence of the package, in Debian's machine-readable copyright format.
set(QUENDRA_COPYRIGHT_FILE ${CMAKE_BINARY_DIR}/package/copyright)
file(CONFIGURE OUTPUT ${QUENDRA_COPYRIGHT_FILE} @ONLY CONTENT [[
Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: quendra-orvo
Upstream-Contact: @CPACK_PACKAGE_CONTACT@
Comment: LAME's library and libsndfile, which lame.bin uses, are not part of this package;
 they come from the Debian packages libmp3lame0 and libsndfile1 under their own licences.

Files: *
Copyright: 2026 The Quendra orvo authors
License: Expat

License: Expat
 Permission is hereby granted, free of charge, to any person obtaining a copy of this
 software and associated documentation files (the "Software"), to deal in the Software
 without restriction, including without limitation the rights to use, copy, modify, merge,
 publish, distribute, sublicense, and/or sell copies of the Software, and to permit persons
 to whom the Software is furnished to do so, subject to the following conditions:
 .
 The above copyright notice and this permission notice shall be included in all copies or
 substantial portions of the Software.
 .
 THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED,
 INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A PARTICULAR
 PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE
 FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR
 OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER
 DEALINGS IN THE SOFTWARE.
]])
if(UNIX AND NOT APPLE)
    include(GNUInstallDirs)
    set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/quendra-orvo)
    install(FILES ${QUENDRA_COPYRIGHT_FILE} DESTINATION ${doc_dir})

    # The changelog, the manual page and what software centres list name the project's version.
    set(package_dir ${CMAKE_BINARY_DIR}/package)
    foreach(file changelog quendra-orvo.1 quendra-orvo.metainfo.xml)
        configure_file(${PROJECT_SOURCE_DIR}/resources/${file}.in ${package_dir}/${file} @ONLY)
    endforeach()
    # The changelog and the manual page, compressed as Debian wants them (gzip -9n: no name, no
    # time stamp, so that the same sources give the same package).
    set(package_docs ${package_dir}/changelog.gz ${package_dir}/quendra-orvo.1.gz)
    add_custom_command(OUTPUT ${package_docs}
        COMMAND gzip -9nc ${package_dir}/changelog > ${package_dir}/changelog.gz
        COMMAND gzip -9nc ${package_dir}/quendra-orvo.1 > ${package_dir}/quendra-orvo.1.gz
        DEPENDS ${package_dir}/changelog ${package_dir}/quendra-orvo.1
        VERBATIM)
    add_custom_target(package_docs ALL DEPENDS ${package_docs})
    install(FILES ${package_dir}/changelog.gz DESTINATION ${doc_dir})
    install(FILES ${package_dir}/quendra-orvo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${package_dir}/quendra-orvo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo
        RENAME org.example.quendra_orvo.metainfo.xml)
endif()

include(CPack)
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackages.cmake)
endif()

# The package test: only in a build with tests and with the window.
if(QUENDRA_BUILD_TESTS AND TARGET Project1 AND TARGET lamebin
   AND EXISTS ${PROJECT_SOURCE_DIR}/tests/package/CMakeLists.txt)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/package ${CMAKE_BINARY_DIR}/tests/package)
endif()
