# 32-bit Windows console programs (PE32), from Debian's g++-mingw-w64-i686. No emulator
# is set: a 64-bit-only Linux kernel runs no 32-bit code, not even under Wine.
set(MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR X86)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
