# The part shared by mingw-w64-i686.cmake and mingw-w64-x86_64.cmake, which set
# CMAKE_SYSTEM_PROCESSOR, QUENDRA_MINGW_TRIPLE and QUENDRA_WINE_LOADER and then include this.
# Debian's mingw-w64, the POSIX-threads variant (which has std::thread and friends). Programs are
# linked statically so that wine, or a bare Windows, runs them without the MinGW runtime DLLs
# beside them.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QUENDRA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUENDRA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUENDRA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUENDRA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian keeps wine's loaders off PATH; ctest runs the test programs through the one that fits.
if(EXISTS ${QUENDRA_WINE_LOADER})
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUENDRA_WINE_LOADER})
endif()
