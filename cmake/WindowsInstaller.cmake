# The Windows installer, `cmake --build <build> --target installer`: the files the install rules
# give (the zip's files) installed into a folder of the build, listed for NSIS
# (NsisFileList.cmake) and packed by makensis (Debian's nsis) with resources/windows-installer.nsi.in
# into <build>/quendra-orvo-<version>-win32-setup.exe (or -win64-setup.exe).
find_program(QUENDRA_MAKENSIS makensis)

set(installer_dir ${CMAKE_BINARY_DIR}/installer)
set(installer_files ${installer_dir}/files)
set(QUENDRA_INSTALLER
    ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_NAME}-${QUENDRA_VERSION}-${CPACK_SYSTEM_NAME}-setup.exe)
math(EXPR QUENDRA_INSTALLER_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
set(QUENDRA_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
configure_file(${QUENDRA_RESOURCES}/windows-installer.nsi.in ${installer_dir}/installer.nsi @ONLY)
# Where scripts/package-windows finds it.
file(WRITE ${installer_dir}/path ${QUENDRA_INSTALLER})

if(QUENDRA_MAKENSIS)
    set(makensis ${QUENDRA_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 ${installer_dir}/installer.nsi)
else()
    set(makensis ${CMAKE_COMMAND} -E echo "makensis is missing: apt-get install nsis"
        COMMAND ${CMAKE_COMMAND} -E false)
endif()
add_custom_target(installer
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${installer_files}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${installer_files} --strip
    COMMAND ${CMAKE_COMMAND} -D STAGE=${installer_files} -D OUTPUT=${installer_dir}/files.nsh
            -P ${CMAKE_CURRENT_LIST_DIR}/NsisFileList.cmake
    COMMAND ${makensis}
    BYPRODUCTS ${QUENDRA_INSTALLER}
    COMMENT "Making ${QUENDRA_INSTALLER}"
    VERBATIM)
foreach(target Project1 lamebin)
    if(TARGET ${target})
        add_dependencies(installer ${target})
    endif()
endforeach()
