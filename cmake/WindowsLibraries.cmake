# LAME's library and libsndfile (reading MPEG audio through mpg123) for a Windows build, static,
# made from Debian's source packages by scripts/windows-libraries in this build tree when the
# project is configured; once built, configuring again fetches and builds nothing.
#
# Defines the imported targets windows_libs::mp3lame (#include <lame.h>) and windows_libs::sndfile
# (#include <sndfile.h>; it brings mpg123, LAME's library and the Windows libraries they use), and
# QUENDRA_WINDOWS_LICENSES, the folder with the libraries' licence texts and SOURCES.txt; all
# three are global, whichever folder includes this first.
include_guard(GLOBAL)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_windows_libs_arch x86_64)
else()
    set(_windows_libs_arch i686)
endif()
set(_windows_libs_script ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows-libraries)
set(_windows_libs_prefix ${CMAKE_BINARY_DIR}/libraries/${_windows_libs_arch})

# A fresh build takes minutes: its progress lines are shown as they come.
execute_process(
    COMMAND bash ${_windows_libs_script} ${CMAKE_BINARY_DIR} ${_windows_libs_arch}
    RESULT_VARIABLE _windows_libs_result
    OUTPUT_VARIABLE _windows_libs_output ECHO_OUTPUT_VARIABLE
    ERROR_VARIABLE _windows_libs_errors)
if(NOT _windows_libs_result EQUAL 0)
    message(FATAL_ERROR "Building the Windows libraries failed (scripts/windows-libraries "
        "${CMAKE_BINARY_DIR} ${_windows_libs_arch}: ${_windows_libs_result}):\n"
        "${_windows_libs_output}${_windows_libs_errors}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_windows_libs_script})

add_library(windows_libs::mpg123 STATIC IMPORTED GLOBAL)
set_target_properties(windows_libs::mpg123 PROPERTIES
    IMPORTED_LOCATION ${_windows_libs_prefix}/lib/libmpg123.a
    INTERFACE_INCLUDE_DIRECTORIES ${_windows_libs_prefix}/include
    INTERFACE_LINK_LIBRARIES shlwapi)

add_library(windows_libs::mp3lame STATIC IMPORTED GLOBAL)
set_target_properties(windows_libs::mp3lame PROPERTIES
    IMPORTED_LOCATION ${_windows_libs_prefix}/lib/libmp3lame.a
    INTERFACE_INCLUDE_DIRECTORIES
        "${_windows_libs_prefix}/include;${_windows_libs_prefix}/include/lame")

add_library(windows_libs::sndfile STATIC IMPORTED GLOBAL)
set_target_properties(windows_libs::sndfile PROPERTIES
    IMPORTED_LOCATION ${_windows_libs_prefix}/lib/libsndfile.a
    INTERFACE_INCLUDE_DIRECTORIES ${_windows_libs_prefix}/include
    INTERFACE_LINK_LIBRARIES "windows_libs::mpg123;windows_libs::mp3lame")

set(QUENDRA_WINDOWS_LICENSES ${_windows_libs_prefix}/licenses CACHE INTERNAL "")
