# 64-bit Windows console programs (PE32+), from Debian's g++-mingw-w64-x86-64.
# Built on Linux, they run under Wine: the tests go through it.
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")

# Wine's 64-bit loader itself, where it is apart: Debian's `wine` starts the 32-bit
# loader whenever wine32 is installed, which fails outright on a kernel that runs no
# 32-bit code, even for a 64-bit program.
find_program(WINE64_LOADER NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_CACHE)
if(WINE64_LOADER)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${WINE64_LOADER}")
else()
    set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
