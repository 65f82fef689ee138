# 64-bit Windows console programs (PE32+), from Debian's g++-mingw-w64-x86-64.
# Built on Linux, they run under Wine: the tests go through it.
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
