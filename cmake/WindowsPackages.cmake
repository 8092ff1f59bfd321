# The Windows packages, both made from the files the install rules give, installed stripped into
# <build>/windows-package/files:
#   the zip, `cmake --build <build> --target zip` (ZipFolder.cmake), and
#   the installer, `--target installer`, packed by makensis (Debian's nsis) with
#   resources/windows-installer.nsi.in and the file list NsisFileList.cmake writes,
# into <build>/quendra-orvo-<version>-win32.zip and ...-win32-setup.exe (win64 for 64-bit).
# Both keep each file's time: with SOURCE_DATE_EPOCH set (scripts/package-windows sets it), every
# file gets that time first, so that the same sources give the same bytes.
find_program(QUENDRA_MAKENSIS makensis)

set(windows_package_dir ${CMAKE_BINARY_DIR}/windows-package)
set(windows_staged ${windows_package_dir}/files)
set(windows_package_base
    ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_NAME}-${QUENDRA_VERSION}-${CPACK_SYSTEM_NAME})
set(QUENDRA_INSTALLER ${windows_package_base}-setup.exe)
set(zip_file ${windows_package_base}.zip)
math(EXPR QUENDRA_INSTALLER_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
set(QUENDRA_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
configure_file(${QUENDRA_RESOURCES}/windows-installer.nsi.in ${windows_package_dir}/installer.nsi
    @ONLY)
# Where scripts/package-windows finds them: the zip, then the installer, one a line.
file(WRITE ${windows_package_dir}/packages "${zip_file}\n${QUENDRA_INSTALLER}\n")

add_custom_target(windows_files
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${windows_staged}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${windows_staged} --strip
    COMMAND ${CMAKE_COMMAND} -D FOLDER=${windows_staged}
            -P ${CMAKE_CURRENT_LIST_DIR}/SourceDateTimes.cmake
    COMMENT "Installing the Windows packages' files into ${windows_staged}"
    VERBATIM)
foreach(target Project1 lamebin)
    if(TARGET ${target})
        add_dependencies(windows_files ${target})
    endif()
endforeach()

add_custom_target(zip
    COMMAND ${CMAKE_COMMAND} -D FOLDER=${windows_staged} -D ZIP=${zip_file}
            -P ${CMAKE_CURRENT_LIST_DIR}/ZipFolder.cmake
    BYPRODUCTS ${zip_file}
    COMMENT "Making ${zip_file}"
    VERBATIM)
add_dependencies(zip windows_files)

if(QUENDRA_MAKENSIS)
    set(makensis ${QUENDRA_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8
        ${windows_package_dir}/installer.nsi)
else()
    set(makensis ${CMAKE_COMMAND} -E echo "makensis is missing: apt-get install nsis"
        COMMAND ${CMAKE_COMMAND} -E false)
endif()
add_custom_target(installer
    COMMAND ${CMAKE_COMMAND} -D STAGE=${windows_staged} -D OUTPUT=${windows_package_dir}/files.nsh
            -P ${CMAKE_CURRENT_LIST_DIR}/NsisFileList.cmake
    COMMAND ${makensis}
    BYPRODUCTS ${QUENDRA_INSTALLER}
    COMMENT "Making ${QUENDRA_INSTALLER}"
    VERBATIM)
add_dependencies(installer windows_files)
