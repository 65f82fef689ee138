# Linux programs for another processor, from one of Debian's cross compilers
# (g++-<triplet>). The preset names them in three cache variables:
#   CROSS_TRIPLET    the GNU triplet of the compiler, e.g. arm-linux-gnueabihf
#   CROSS_PROCESSOR  the processor as `uname -m` prints it there, e.g. armv7l
#   CROSS_EMULATOR   the user-mode emulator the tests run the programs under, e.g.
#                    qemu-arm-static (package qemu-user-static)
# The release programs are static, so they need no libraries of that architecture at
# run time and no sysroot is set up.
foreach(setting IN ITEMS CROSS_TRIPLET CROSS_PROCESSOR CROSS_EMULATOR)
    if(NOT ${setting})
        message(FATAL_ERROR "${CMAKE_CURRENT_LIST_FILE} needs ${setting}: see the head of the file")
    endif()
endforeach()
# The checks CMake compiles while configuring read this file afresh.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CROSS_TRIPLET CROSS_PROCESSOR CROSS_EMULATOR)

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${CROSS_PROCESSOR})
set(CMAKE_CXX_COMPILER ${CROSS_TRIPLET}-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CROSS_EMULATOR})

set(CMAKE_FIND_ROOT_PATH /usr/${CROSS_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
