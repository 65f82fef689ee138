# The warnings every program is compiled with. Warnings become errors through
# CMAKE_COMPILE_WARNING_AS_ERROR, which the presets turn on.
add_library(project_warnings INTERFACE)
target_compile_options(
    project_warnings
    INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:
        -Wall
        -Wextra
        -Wpedantic
        -Wconversion
        -Wsign-conversion
        -Wshadow
        -Wcast-qual
        -Wold-style-cast
        -Wformat=2
        -Wundef
        -Wnon-virtual-dtor
    >
    $<$<CXX_COMPILER_ID:MSVC>:/W4 /permissive->
)
