# A static PIE needs no shared library at run time, so start-up skips loading and
# relocating the C++ runtime, yet the program still loads at a random address. What
# start-up still does is relocate itself; packed relative relocations (DT_RELR) make
# that a short walk over a bitmap, and dropping the unused sections of the static
# runtime keeps the file and its mapping small.
option(LINK_STATIC_PIE "Link the programs as static position-independent executables" OFF)

add_library(project_linkage INTERFACE)
if(LINK_STATIC_PIE)
    include(CheckLinkerFlag)
    include(CheckCXXSourceCompiles)
    include(CMakePushCheckState)

    check_linker_flag(CXX -static-pie HAVE_STATIC_PIE)
    if(NOT HAVE_STATIC_PIE)
        message(FATAL_ERROR "LINK_STATIC_PIE is on, but ${CMAKE_CXX_COMPILER} cannot link with -static-pie")
    endif()
    # The programs are position-independent; CMake links such a program with the
    # options below, which here make it a static PIE rather than one that loads the
    # shared runtime. Added as a separate option, -static-pie would lose to CMake's -pie.
    set_property(TARGET project_linkage PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)
    list(TRANSFORM CMAKE_CXX_LINK_OPTIONS_PIE REPLACE "^-pie$" -static-pie)

    target_compile_options(project_linkage INTERFACE -ffunction-sections -fdata-sections)
    target_link_options(project_linkage INTERFACE -Wl,--gc-sections)

    # A linker that does not know the option only warns that it ignores it, so the probe
    # looks for that warning too.
    cmake_push_check_state(RESET)
    set(CMAKE_REQUIRED_LINK_OPTIONS -static-pie -Wl,-z,pack-relative-relocs)
    check_cxx_source_compiles("int main() { return 0; }" HAVE_PACKED_RELATIVE_RELOCATIONS
                              FAIL_REGEX "pack-relative-relocs.*ignored")
    cmake_pop_check_state()
    if(HAVE_PACKED_RELATIVE_RELOCATIONS)
        target_link_options(project_linkage INTERFACE -Wl,-z,pack-relative-relocs)
    else()
        message(WARNING "The linker of ${CMAKE_CXX_COMPILER} cannot pack relative relocations "
                        "(-z pack-relative-relocs, DT_RELR: binutils 2.38 and glibc 2.36 or newer, "
                        "and only some processors). The programs are linked without, so they "
                        "start a little slower.")
    endif()
endif()
