# The compiler settings of every project in this tree (the root and tests/windows): C++17 without
# extensions and a Release build unless another is asked for, from the include on; the warnings
# on our own code through quendra_warnings(), which adds them to the targets made after it in the
# calling folder and below, so that a library built from source before it keeps its own.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
endif()

macro(quendra_warnings)
    if(MSVC)
        add_compile_options(/W4 /utf-8)
    else()
        add_compile_options(-Wall -Wextra -Wpedantic)
    endif()
endmacro()
