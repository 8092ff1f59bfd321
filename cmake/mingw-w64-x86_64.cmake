# Cross-compiling for 64-bit Windows with Debian's g++-mingw-w64-x86-64-posix; run under wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUENDRA_MINGW_TRIPLE x86_64-w64-mingw32)
set(QUENDRA_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
