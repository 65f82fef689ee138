# A static PIE needs no shared library at run time, so start-up skips loading and
# relocating the C++ runtime, yet the program still loads at a random address.
option(LINK_STATIC_PIE "Link the programs as static position-independent executables" OFF)

add_library(project_linkage INTERFACE)
if(LINK_STATIC_PIE)
    include(CheckLinkerFlag)
    check_linker_flag(CXX -static-pie HAVE_STATIC_PIE)
    if(NOT HAVE_STATIC_PIE)
        message(FATAL_ERROR "LINK_STATIC_PIE is on, but ${CMAKE_CXX_COMPILER} cannot link with -static-pie")
    endif()
    set_property(TARGET project_linkage PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)
    target_link_options(project_linkage INTERFACE -static-pie)
endif()
