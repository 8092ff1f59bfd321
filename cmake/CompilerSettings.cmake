# The compiler settings of every project in this tree (the root and tests/windows): C++17 without
# extensions, a Release build unless another is asked for and no build path in what it compiles,
# from the include on; the warnings
# on our own code through quendra_warnings(), which adds them to the targets made after it in the
# calling folder and below, so that a library built from source before it keeps its own.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
endif()

# In the builds that ship, Release and None (the Debian package's: debhelper gives the flags),
# the checkout's and the build folder's paths stay out of what is compiled (file names in
# assertions and debugging information), so that a build in another folder gives the same bytes;
# the debugging builds keep them for their debuggers. dpkg-buildflags maps the build path too,
# but not a path with a space in it. The build folder's comes last, so that it wins where the
# build folder is inside the checkout.
if(NOT MSVC)
    get_filename_component(quendra_checkout ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
    set(quendra_shipped "$<CONFIG:Release,None>")
    add_compile_options("$<${quendra_shipped}:-ffile-prefix-map=${quendra_checkout}=.>"
                        "$<${quendra_shipped}:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>")
endif()

macro(quendra_warnings)
    if(MSVC)
        add_compile_options(/W4 /utf-8)
    else()
        add_compile_options(-Wall -Wextra -Wpedantic)
    endif()
endmacro()
