# Cross-compiling for 32-bit Windows, the build that ships, with Debian's
# g++-mingw-w64-i686-posix; run under the 32-bit wine loader of wine32:i386.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUENDRA_MINGW_TRIPLE i686-w64-mingw32)
set(QUENDRA_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
