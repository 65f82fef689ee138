# LINK_STATIC links the programs with no shared library at all, so that one file runs as
# it is on any Linux of its processor. Where the toolchain can, each is a static PIE,
# which still loads at a random address; that needs the C library's start-up file for
# it (rcrt1.o), and where that is missing the programs are plain static programs at a
# fixed address. PROGRAM_LINKAGE tells the tests which: dynamic, static or static-pie.
option(LINK_STATIC "Link the programs statically: as static PIEs where the toolchain can" OFF)

add_library(project_linkage INTERFACE)
set(PROGRAM_LINKAGE dynamic)
if(NOT LINK_STATIC)
    return()
endif()

include(CheckLinkerFlag)
include(CheckCXXSourceCompiles)
include(CMakePushCheckState)

check_linker_flag(CXX -static-pie HAVE_STATIC_PIE)
if(HAVE_STATIC_PIE)
    set(PROGRAM_LINKAGE static-pie)
    set(static_link_option -static-pie)
    message(STATUS "Linkage: static PIE")
else()
    set(PROGRAM_LINKAGE static)
    set(static_link_option -static)
    message(STATUS "Linkage: static, at a fixed address: ${CMAKE_CXX_COMPILER} cannot link a "
                   "static PIE (its C library has no rcrt1.o)")
endif()
# The programs are compiled position-independent (cmake/hardening.cmake), and CMake
# links such a program with the options below; here they make it static. Added as a
# separate option, -static-pie or -static would lose to CMake's -pie.
list(TRANSFORM CMAKE_CXX_LINK_OPTIONS_PIE REPLACE "^-pie$" ${static_link_option})

# Only what the programs use of the static runtime is kept.
target_compile_options(project_linkage INTERFACE -ffunction-sections -fdata-sections)
target_link_options(project_linkage INTERFACE -Wl,--gc-sections)

# A static PIE relocates itself at start-up; packed relative relocations (DT_RELR) make
# that a short walk over a bitmap. A static program at a fixed address has none to pack.
# A linker that does not know the option only warns that it ignores it, so the probe
# looks for that warning too.
if(PROGRAM_LINKAGE STREQUAL "static-pie")
    cmake_push_check_state(RESET)
    set(CMAKE_REQUIRED_LINK_OPTIONS -static-pie -Wl,-z,pack-relative-relocs)
    check_cxx_source_compiles("int main() { return 0; }" HAVE_PACKED_RELATIVE_RELOCATIONS
                              FAIL_REGEX "pack-relative-relocs.*ignored")
    cmake_pop_check_state()
    if(HAVE_PACKED_RELATIVE_RELOCATIONS)
        target_link_options(project_linkage INTERFACE -Wl,-z,pack-relative-relocs)
        message(STATUS "Linkage: relative relocations packed (DT_RELR)")
    else()
        message(STATUS "Linkage: relative relocations not packed: the linker of ${CMAKE_CXX_COMPILER} "
                       "cannot (-z pack-relative-relocs needs binutils 2.38 and glibc 2.36 or newer, "
                       "and only some processors have it), so the programs start a little slower")
    endif()
endif()
